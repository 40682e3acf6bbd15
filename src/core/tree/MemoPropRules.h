#pragma once
#include "core/model/CMemoItem.h"

#include <string>

namespace kardel {

class CDocOptions;

// How the memo properties dialog's controls start. A folder (kind index -1 or -2)
// can change only its title.
struct MemoPropControlState {
    bool kindsEnabled = true;       // the seven kind buttons and the group "定義"
    bool datesEnabled = true;       // the group "日付" and the box "期日"
    bool duePickerEnabled = false;  // due date picker
    bool donePickerEnabled = false; // completion date picker
    bool selItemEnabled = false;    // the selection item group and its combo box
    std::string selItemCaption;     // cp932
};

MemoPropControlState MemoPropStartState(const MemoPropValues& values, const CDocOptions& options);

// The selection item field's caption: the user's title while selection items are
// in use, else "選択項目" (cp932).
std::string SelItemCaption(const CDocOptions& options);

} // namespace kardel
