#include "core/tree/MemoPropRules.h"

#include "core/base/Texts.h"
#include "core/model/CDocOptions.h"

namespace kardel {

std::string SelItemCaption(const CDocOptions& options) {
    return options.m_bSelEnabled ? options.m_strSelTitle : Sjis("選択項目");
}

MemoPropControlState MemoPropStartState(const MemoPropValues& values, const CDocOptions& options) {
    MemoPropControlState state;
    bool folder = values.m_nKindIndex == -1 || values.m_nKindIndex == -2;
    state.kindsEnabled = !folder;
    state.datesEnabled = !folder;
    state.duePickerEnabled = !folder && values.m_bHasDue == 1;
    state.donePickerEnabled = !folder && values.m_nKindIndex == 6;
    state.selItemEnabled = !folder && options.m_bSelEnabled != 0;
    state.selItemCaption = SelItemCaption(options);
    return state;
}

} // namespace kardel
