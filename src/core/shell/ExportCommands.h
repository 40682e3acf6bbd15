#pragma once
#include "core/base/CCmdTarget.h"

namespace kardel {

class CKardelDoc;

// The exports of the file menu: 32799 MemoView's text, 32838 the selected
// memo's subtree, 32872 FindView as tab-separated text, and the selected memo's
// subtree as Markdown, OPML or HTML. Always enabled.
class ExportCommands : public CCmdTarget {
public:
    explicit ExportCommands(CKardelDoc& doc) : m_doc(doc) {}

    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;

private:
    void ExportExchange(int id);

    CKardelDoc& m_doc;
};

} // namespace kardel
