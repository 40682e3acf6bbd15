#pragma once
#include "core/base/CCmdTarget.h"

namespace kardel {

class CKardelDoc;

// The frame's share of the memo commands: it hands them to the TreeView, so that
// they act on the TreeView's selected memo whichever pane has the focus.
class MemoCommandForwarder : public CCmdTarget {
public:
    explicit MemoCommandForwarder(CKardelDoc& doc) : m_doc(doc) {}
    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;

private:
    CKardelDoc& m_doc;
};

} // namespace kardel
