#pragma once
#include "core/base/CCmdTarget.h"

namespace kardel {

class CKardelDoc;

// The exports of the file menu: ID_EXPORT_MEMOVIEW MemoView's text, ID_EXPORT_SUBTREE
// the selected memo's subtree, ID_EXPORT_FINDVIEW FindView as tab-separated text, and
// the selected memo's subtree as Markdown, OPML or HTML. Always enabled.
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
