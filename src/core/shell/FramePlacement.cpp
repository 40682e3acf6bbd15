#include "core/shell/FramePlacement.h"

#include "core/shell/CMainFrame.h"

#include <algorithm>
#include <cstdint>

namespace kardel {
namespace {

// Overlap of [a0, a1) and [b0, b1), in 64 bits: stored rectangles may hold any 32-bit values.
std::int64_t Overlap(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
    return std::max<std::int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
}

// Where a span of `size` starting at `start` goes to lie inside [lo, hi): moved as little
// as possible, to `lo` when it is larger than the span.
std::int64_t Fit(std::int64_t start, std::int64_t size, std::int64_t lo, std::int64_t hi) {
    return std::max(lo, std::min(start, hi - size));
}

} // namespace

FrameGeometry FramePlacement::Reachable(const FrameGeometry& stored, const std::vector<ScreenArea>& screens) {
    FrameGeometry p = stored;
    const std::int64_t left = p.left, top = p.top;
    const std::int64_t width = std::int64_t(p.right) - p.left;
    const std::int64_t height = std::int64_t(p.bottom) - p.top;
    if (!screens.empty() && width > 0 && height > 0) {
        const std::int64_t grip = std::min<std::int64_t>(kGripWidth, width);
        const std::int64_t gripHeight = std::min<std::int64_t>(kGripHeight, height);
        bool reachable = false;
        const ScreenArea* best = &screens.front();
        std::int64_t bestArea = 0;
        for (const ScreenArea& s : screens) {
            // The top edge must lie on the area itself, not above it, or the title bar cannot be taken.
            if (top >= s.top && Overlap(top, top + gripHeight, s.top, s.bottom) >= gripHeight &&
                Overlap(left, left + width, s.left, s.right) >= grip)
                reachable = true;
            const std::int64_t area =
                Overlap(left, left + width, s.left, s.right) * Overlap(top, top + height, s.top, s.bottom);
            if (area > bestArea) {
                bestArea = area;
                best = &s;
            }
        }
        if (!reachable) {
            const std::int64_t newLeft = Fit(left, width, best->left, best->right);
            const std::int64_t newTop = Fit(top, height, best->top, best->bottom);
            p.left = std::int32_t(newLeft);
            p.top = std::int32_t(newTop);
            p.right = std::int32_t(newLeft + width);
            p.bottom = std::int32_t(newTop + height);
        }
    }
    if (p.treeWidth < 0)
        p.treeWidth = CMainFrame::kDefaultTreeWidth;
    if (width > 0)
        p.treeWidth =
            std::int32_t(std::min<std::int64_t>(p.treeWidth, std::max<std::int64_t>(0, width - kMinMemoWidth)));
    return p;
}

} // namespace kardel
