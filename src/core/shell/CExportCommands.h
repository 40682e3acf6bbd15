#pragma once
#include "shell/CCmdTarget.h"

namespace kardel {

class CKardelDoc;

// The three exports of the file menu: 32799 MemoView's text, 32838 the selected
// memo's subtree, 32872 FindView as tab-separated text. Always enabled.
class CExportCommands : public CCmdTarget {
public:
    explicit CExportCommands(CKardelDoc& doc) : m_doc(doc) {}

    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;

private:
    CKardelDoc& m_doc;
};

} // namespace kardel
