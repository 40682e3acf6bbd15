#pragma once
#include <string>
#include <vector>

namespace kardel {

// The list-box editing steps that several dialogs share. `selected` is the
// list's selected row, -1 for none; each returns true when the list changed.

// Removes row `selected`; the row now at that place becomes selected, or the new
// last row when the last was removed, or none when the list is empty.
bool EraseAndReselect(std::vector<std::string>& items, int& selected);
// Swaps the selected row with its neighbour above (`up`) or below; the moved
// entry stays selected. Nothing happens at the edge or without a selection.
bool MoveSelected(std::vector<std::string>& items, int& selected, bool up);

} // namespace kardel
