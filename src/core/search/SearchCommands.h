#pragma once
#include "core/base/CCmdTarget.h"

namespace kardel {

class CKardelDoc;

// The document's search commands: 32780 the search sheet then a search, 32786
// search again with the current condition, 32783 a standard search. Always enabled.
class SearchCommands : public CCmdTarget {
public:
    explicit SearchCommands(CKardelDoc& doc) : m_doc(doc) {}

    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;

    void Find();
    void FindAgain();
    // Chooses a standard search in its dialog; a choice of no row runs the current
    // condition unchanged. Cancel changes nothing.
    void StandardFind();

private:
    CKardelDoc& m_doc;
};

} // namespace kardel
