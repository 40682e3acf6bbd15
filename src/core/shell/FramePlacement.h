#pragma once
#include "core/base/Platform.h"

#include <vector>

namespace kardel {

// A screen's work area in the same coordinates as the window rectangle; right and bottom
// are exclusive.
struct ScreenArea {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The window rectangle and TreeView width read from a document, made safe to apply on the
// screens there are now. The size is kept; a window whose top edge (where its title bar
// is) would not show at least kGripWidth pixels (or its whole width, when narrower) on a
// work area, kGripHeight high, is moved onto the work area it overlaps most (the first
// one when it overlaps none) as far as it fits there. The TreeView width is clamped to
// the window so that MemoView keeps kMinMemoWidth pixels; a negative width, which no
// window writes, becomes the default width.
class FramePlacement {
public:
    static constexpr int kGripWidth = 200;
    static constexpr int kGripHeight = 30;
    static constexpr int kMinMemoWidth = 100;

    static FrameGeometry Reachable(const FrameGeometry& stored, const std::vector<ScreenArea>& screens);
};

} // namespace kardel
