#include "core/model/ListEditing.h"

#include <algorithm>
#include <utility>

namespace kardel {
namespace {
bool IsRow(const std::vector<std::string>& items, int row) {
    return row >= 0 && static_cast<size_t>(row) < items.size();
}
} // namespace

bool EraseAndReselect(std::vector<std::string>& items, int& selected) {
    if (!IsRow(items, selected))
        return false;
    items.erase(items.begin() + selected);
    selected = items.empty() ? -1 : std::min(selected, static_cast<int>(items.size()) - 1);
    return true;
}

bool MoveSelected(std::vector<std::string>& items, int& selected, bool up) {
    if (!IsRow(items, selected))
        return false;
    int other = up ? selected - 1 : selected + 1;
    if (!IsRow(items, other))
        return false;
    std::swap(items[selected], items[other]);
    selected = other;
    return true;
}

} // namespace kardel
