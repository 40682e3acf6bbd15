#pragma once
#include "model/CView.h"

namespace kardel {

// The title strip. It stores nothing in the file but keeps its place in the view list.
class CTitleView : public CView {
public:
    void OnUpdate(CView*, int, CMemoItem*) override {}
    void Serialize(CArchive&) override {}
};

} // namespace kardel
