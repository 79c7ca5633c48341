// The window's layout: the design at its own size, the minimum, a wider window, 150 % dpi, and
// the keyboard order.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ui/window_layout.h"

namespace zendrift::ui {
namespace {

Rect at(const std::array<Rect, kControlCount>& rects, ControlId id) { return rects[static_cast<std::size_t>(indexOf(id))]; }

TEST(WindowLayout, DesignSizeGivesEveryDesignRectangle) {
  const auto rects = layoutControls(kDesignClient, 1.0);
  for (const ControlSpec& spec : windowControls()) {
    EXPECT_EQ(at(rects, spec.id), spec.design) << indexOf(spec.id);
  }
  EXPECT_EQ(clientRect(rects, ControlId::exitButton), (Rect{520, 390 + 16, 57, 21}));
  EXPECT_EQ(clientRect(rects, ControlId::browseButton), (Rect{8 + 536, 65 + 112 + 20, 25, 21}));
}

TEST(WindowLayout, AtTheMinimumOnlyTheResultPanelShrinks) {
  EXPECT_EQ(kMinimumClient, (Size{592, 366}));
  const auto rects = layoutControls(kMinimumClient, 1.0);
  EXPECT_EQ(at(rects, ControlId::bannerPanel), (Rect{0, 0, 592, 65}));
  EXPECT_EQ(at(rects, ControlId::optionsPanel), (Rect{0, 65, 592, 169}));
  EXPECT_EQ(at(rects, ControlId::resultsPanel), (Rect{0, 234, 592, 62}));
  EXPECT_EQ(at(rects, ControlId::resultList), (Rect{1, 1, 590, 60}));
  EXPECT_EQ(at(rects, ControlId::statusPanel), (Rect{0, 296, 592, 27}));
  EXPECT_EQ(at(rects, ControlId::buttonPanel), (Rect{0, 323, 592, 43}));
  // Smaller still: the result panel stays at 0 rather than going negative.
  EXPECT_EQ(at(layoutControls({592, 300}, 1.0), ControlId::resultsPanel).height, 0);
}

TEST(WindowLayout, WideningMovesRightAnchoredControlsAndStretchesTheOthers) {
  const auto rects = layoutControls({792, 533}, 1.0);  // 200 wider, 100 taller
  EXPECT_EQ(at(rects, ControlId::exitButton), (Rect{720, 16, 57, 21}));
  EXPECT_EQ(at(rects, ControlId::helpButton), (Rect{656, 16, 57, 21}));
  EXPECT_EQ(at(rects, ControlId::updatesButton), (Rect{536, 16, 113, 21}));
  EXPECT_EQ(at(rects, ControlId::logo), (Rect{728, 8, 53, 33}));
  EXPECT_EQ(at(rects, ControlId::targetsGroup), (Rect{304, 8, 481, 97}));
  EXPECT_EQ(at(rects, ControlId::userFolderGroup), (Rect{8, 112, 777, 49}));
  EXPECT_EQ(at(rects, ControlId::userFolderEdit), (Rect{16, 20, 709, 21}));
  EXPECT_EQ(at(rects, ControlId::browseButton), (Rect{736, 20, 25, 21}));
  // Left-anchored controls keep their place and size.
  EXPECT_EQ(at(rects, ControlId::foldersGroup), (Rect{8, 8, 281, 97}));
  EXPECT_EQ(at(rects, ControlId::removableDrivesBox), (Rect{16, 24, 200, 17}));
  EXPECT_EQ(at(rects, ControlId::deleteButton), (Rect{96, 16, 89, 21}));
  EXPECT_EQ(at(rects, ControlId::resultsPanel), (Rect{0, 234, 792, 229}));
  EXPECT_EQ(at(rects, ControlId::buttonPanel), (Rect{0, 490, 792, 43}));
}

TEST(WindowLayout, At150PercentEveryEdgeIsScaled) {
  EXPECT_EQ(minimumClient(1.5), (Size{888, 549}));
  const auto rects = layoutControls({888, 650}, 1.5);  // the design client at 144 dpi (649.5 rounded up)
  EXPECT_EQ(at(rects, ControlId::bannerPanel), (Rect{0, 0, 888, 98}));   // 65 * 1.5 = 97.5
  EXPECT_EQ(at(rects, ControlId::optionsPanel), (Rect{0, 98, 888, 253}));  // 234 * 1.5 = 351
  EXPECT_EQ(at(rects, ControlId::scanButton), (Rect{24, 24, 110, 32}));   // 16..89, 16..37
  EXPECT_EQ(at(rects, ControlId::exitButton), (Rect{780, 24, 86, 32}));   // 15 from the right
  // Bottom panels stand on the bottom edge: (650 / 1.5 - 43) * 1.5 = 585.5.
  EXPECT_EQ(at(rects, ControlId::buttonPanel), (Rect{0, 586, 888, 64}));
  EXPECT_EQ(at(rects, ControlId::startMenuBox), (Rect{24, 36, 146, 26}));
  // Fonts grow with the screen: 11 pixels become 16.5, rounded to 17.
  EXPECT_EQ(fontFor(FontRole::title).scaledBy(1.5), (Font{"Tahoma", 17, true}));
  // Neighbours stay flush: the results panel ends where the status panel starts.
  EXPECT_EQ(at(rects, ControlId::resultsPanel).bottom(), at(rects, ControlId::statusPanel).top);
}

TEST(WindowLayout, TabOrderVisitsEachFocusableControlOnce) {
  const std::span<const ControlId> order = tabOrder();
  EXPECT_EQ(order.front(), ControlId::resultList);
  EXPECT_EQ(order[1], ControlId::scanButton);
  EXPECT_EQ(order[7], ControlId::tempBox);  // the options panel starts with "Temp directory"
  EXPECT_EQ(order.back(), ControlId::userFolderEdit);
  std::set<ControlId> seen(order.begin(), order.end());
  EXPECT_EQ(seen.size(), order.size());
  for (const ControlSpec& spec : windowControls()) {
    const bool focusable = spec.kind != ControlKind::label && spec.kind != ControlKind::stateImage &&
                           spec.kind != ControlKind::panel && spec.kind != ControlKind::raisedPanel &&
                           spec.kind != ControlKind::bannerPanel && spec.kind != ControlKind::groupBox;
    EXPECT_EQ(seen.count(spec.id) == 1, focusable) << indexOf(spec.id);
  }
}

}  // namespace
}  // namespace zendrift::ui
