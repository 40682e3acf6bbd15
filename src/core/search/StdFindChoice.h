#pragma once
#include <optional>
#include <string>

namespace kardel {

class CDocOptions;

// The rules of the standard search choice "標準検索選択ダイアログ": five rows numbered
// 1 to 5 with the searches' names, the last chosen row preselected.
class StdFindChoice {
public:
    static constexpr int kRows = 5;

    // Column "番号" of row `row` (0..4): the row plus one.
    static std::string NumberText(int row);
    // Column "検索名称": the name of standard search row + 1 (cp932).
    static const std::string& NameText(const CDocOptions& options, int row);
    // The row selected when the dialog opens: the last chosen number less one, or
    // none (-1) when the last choice selected nothing.
    static int PreselectedRow(int lastChosen);
    // The number the dialog returns: the selected row plus one, 0 for no row.
    static int ChosenNumber(int selectedRow);
    // The row a key of the main keyboard picks and accepts at once ('1' to '5'), or nothing.
    static std::optional<int> RowForKey(char key);
};

} // namespace kardel
