#pragma once
#include <cstdint>
#include <vector>

namespace kardel {

class CKardelDoc;

// Orders FindView's rows (memo indices) by one column's compare rule, and moves each
// row's icon (`icons`, parallel to `rows`) with it. Keys are worked out once per row,
// so a sort costs one pass over the rows plus the comparisons. Rows with equal keys
// keep their order.
void SortFindRows(std::vector<std::int32_t>& rows, std::vector<int>& icons, const CKardelDoc& doc, int column,
                  bool descending);

} // namespace kardel
