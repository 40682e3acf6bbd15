#include "search/CKdListView.h"

#include "model/Archive.h"

namespace kardel {

void CKdListView::Serialize(CArchive& ar) {
    static const std::int32_t defaults[7] = {200, 80, 80, 75, 75, 75, 75};
    if (ar.IsStoring()) {
        for (int i = 0; i < 7; ++i)
            ar.WriteInt32(i == 2 && !m_bSelColumnShown ? 0 : m_nColumnWidths[i]);
    } else if (ar.FileVersion() >= 4) {
        for (auto& width : m_nColumnWidths)
            width = ar.ReadInt32();
    } else {
        for (int i = 0; i < 7; ++i)
            m_nColumnWidths[i] = defaults[i];
    }
}

} // namespace kardel
