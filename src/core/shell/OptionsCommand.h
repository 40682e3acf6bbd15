#pragma once
#include "core/base/CCmdTarget.h"

namespace kardel {

class CKardelDoc;

// The options command (ID_OPTIONS), carried out by the document: the options sheet
// "設定ダイアログ" over the document. Ending it with OK marks the document modified,
// whether or not anything changed; cancelling leaves the flag alone.
class OptionsCommand : public CCmdTarget {
public:
    explicit OptionsCommand(CKardelDoc& doc) : m_doc(doc) {}

    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;

private:
    CKardelDoc& m_doc;
};

} // namespace kardel
