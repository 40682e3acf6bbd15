#pragma once
#include "model/CView.h"

#include <cstdint>

namespace kardel {

class CKardelDoc;

// FindView. So far it holds and stores its seven column widths.
class CKdListView : public CView {
public:
    explicit CKdListView(CKardelDoc& doc) : m_doc(doc) {}

    void OnUpdate(CView*, int, CMemoItem*) override {}
    void Serialize(CArchive& ar) override;

    std::int32_t m_nColumnWidths[7] = {200, 80, 80, 75, 75, 75, 75};
    bool m_bSelColumnShown = false;

private:
    CKardelDoc& m_doc;
};

} // namespace kardel
