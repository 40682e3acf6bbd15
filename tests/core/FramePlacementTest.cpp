#include "core/shell/FramePlacement.h"

#include <gtest/gtest.h>

using namespace kardel;

namespace {

FrameGeometry Rect(int left, int top, int width, int height, int treeWidth = 145) {
    FrameGeometry p;
    p.left = left;
    p.top = top;
    p.right = left + width;
    p.bottom = top + height;
    p.treeWidth = treeWidth;
    return p;
}

} // namespace

TEST(FramePlacement, AWindowWhoseTitleBarIsOffEveryScreenIsMovedOntoOneKeepingItsSize) {
    const std::vector<ScreenArea> screens = {{0, 0, 1920, 1050}, {1920, 0, 3200, 1024}};
    struct Row {
        FrameGeometry stored;
        int left, top; // where it ends up
    } rows[] = {
        {Rect(100, 80, 780, 560), 100, 80},     // on the first screen: kept
        {Rect(2000, 100, 780, 560), 2000, 100}, // on the second: kept
        {Rect(-300, 200, 780, 560), -300, 200}, // hanging off the left with most of its top shown
        {Rect(-5000, -5000, 780, 560), 0, 0},   // far away: onto the first screen
        {Rect(3100, 100, 780, 560), 2420, 100}, // all but 100 px off the right of the second
        {Rect(500, -20, 780, 560), 500, 0},     // title bar above the top edge
        {Rect(500, 1030, 780, 560), 500, 490},  // only a sliver at the bottom
        {Rect(100, 100, 4000, 3000), 100, 100}, // larger than the screen, title bar on it: kept
        {Rect(-100, -3000, 4000, 3000), 0, 0},  // larger and above: top left of the first
        {Rect(1800, 500, 780, 560), 1800, 500}, // across both, top shown on each
    };
    for (const Row& row : rows) {
        const FrameGeometry p = FramePlacement::Reachable(row.stored, screens);
        SCOPED_TRACE(std::to_string(row.stored.left) + "," + std::to_string(row.stored.top));
        EXPECT_EQ(p.left, row.left);
        EXPECT_EQ(p.top, row.top);
        EXPECT_EQ(p.right - p.left, row.stored.right - row.stored.left);
        EXPECT_EQ(p.bottom - p.top, row.stored.bottom - row.stored.top);
    }
}

TEST(FramePlacement, TheTreeWidthIsClampedToTheWindow) {
    const std::vector<ScreenArea> screens = {{0, 0, 1920, 1050}};
    struct Row {
        int stored, expected;
    } rows[] = {{145, 145}, {0, 0}, {-50, 145}, {5000, 680}, {680, 680}, {INT32_MIN, 145}};
    for (const Row& row : rows)
        EXPECT_EQ(FramePlacement::Reachable(Rect(10, 10, 780, 560, row.stored), screens).treeWidth, row.expected)
            << row.stored;
}
