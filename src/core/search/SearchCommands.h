#pragma once
#include "core/base/CCmdTarget.h"

namespace kardel {

class CKardelDoc;

// The document's search commands: ID_FIND the search sheet then a search, ID_FIND_AGAIN
// search again with the current condition, ID_FIND_STANDARD a standard search. Always enabled.
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
