#include "core/search/StdFindChoice.h"

#include "core/model/CDocOptions.h"

namespace kardel {

std::string StdFindChoice::NumberText(int row) {
    return std::to_string(row + 1);
}

const std::string& StdFindChoice::NameText(const CDocOptions& options, int row) {
    static const std::string none;
    return row >= 0 && row < kRows ? options.m_strStdFindName[row] : none;
}

int StdFindChoice::PreselectedRow(int lastChosen) {
    return lastChosen >= 1 && lastChosen <= kRows ? lastChosen - 1 : -1;
}

int StdFindChoice::ChosenNumber(int selectedRow) {
    return selectedRow >= 0 && selectedRow < kRows ? selectedRow + 1 : 0;
}

std::optional<int> StdFindChoice::RowForKey(char key) {
    if (key >= '1' && key <= '5')
        return key - '1';
    return std::nullopt;
}

} // namespace kardel
