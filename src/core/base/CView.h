#pragma once
#include "core/base/CCmdTarget.h"

namespace kardel {

class CArchive;
class CMemoItem;

// Update hints: the one channel between panes.
enum UpdateHint : int {
    HintNone = 0,
    HintMemoCreated = 1,
    HintTabChanged = 2,
    HintMemoChanged = 3,
    HintCurrentChanged = 4,
    HintShowInTree = 5,
    HintResultsChanged = 6,
    HintStoreText = 8,
    HintIconsReloaded = 9,
    HintSelItemsChanged = 10,
};

// A pane of the document. Panes write their sections of the file in view-list order.
class CView : public CCmdTarget {
public:
    virtual ~CView() = default;
    virtual void OnUpdate(CView* sender, int hint, CMemoItem* memo) = 0;
    virtual void Serialize(CArchive& ar) = 0;
};

} // namespace kardel
