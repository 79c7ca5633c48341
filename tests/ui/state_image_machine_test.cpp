// The state image's picture-by-state machine: what shows as the pointer enters, presses, clicks
// and leaves, with and without state pictures.
#include <gtest/gtest.h>

#include <vector>

#include "ui/state_image_machine.h"

namespace zendrift::ui {
namespace {

struct Recorded {
  StateImageMachine machine;
  std::vector<PictureState> shown;
  int changes = 0;
  Recorded(std::array<bool, 5> held) {
    machine.setHeld(held);
    machine.show = [this](PictureState s) { shown.push_back(s); };
    machine.onStateChanged = [this] { ++changes; };
  }
};

TEST(StateImageMachine, ADefaultPictureAloneNeverChanges) {
  Recorded r({true, false, false, false, false});
  EXPECT_TRUE(r.machine.pointerEntered());
  EXPECT_FALSE(r.machine.pointerEntered());
  r.machine.pressed();
  r.machine.clicked();
  r.machine.released(5, 5, 53, 33);
  EXPECT_TRUE(r.machine.pointerLeft());
  EXPECT_FALSE(r.machine.pointerLeft());
  EXPECT_TRUE(r.shown.empty());
  EXPECT_EQ(r.changes, 0);
  EXPECT_EQ(r.machine.state(), PictureState::normal);
  EXPECT_EQ(r.machine.clickCount(), 0);
}

TEST(StateImageMachine, ClicksCycleThroughBothClickedPicturesThenTheDefault) {
  Recorded r({true, true, true, true, true});
  r.machine.pointerEntered();
  EXPECT_EQ(r.machine.state(), PictureState::entered);
  r.machine.pressed();
  EXPECT_EQ(r.machine.state(), PictureState::down);
  r.machine.clicked();
  r.machine.released(5, 5, 53, 33);  // a clicked state stays through its release
  EXPECT_EQ(r.machine.state(), PictureState::clicked1);
  r.machine.pressed();
  r.machine.clicked();
  r.machine.released(5, 5, 53, 33);
  EXPECT_EQ(r.machine.state(), PictureState::clicked2);
  r.machine.pressed();
  r.machine.clicked();
  EXPECT_EQ(r.machine.state(), PictureState::normal);
  EXPECT_EQ(r.machine.clickCount(), 0);
  r.machine.released(5, 5, 53, 33);  // released inside: entered again
  EXPECT_EQ(r.machine.state(), PictureState::entered);
  r.machine.pressed();
  r.machine.released(60, 5, 53, 33);  // released outside: the state by the click count
  EXPECT_EQ(r.machine.state(), PictureState::normal);
  const std::vector<PictureState> expected{PictureState::entered, PictureState::down, PictureState::clicked1, PictureState::down, PictureState::clicked2, PictureState::down,
                                           PictureState::normal, PictureState::entered, PictureState::down, PictureState::normal};
  EXPECT_EQ(r.shown, expected);
}

TEST(StateImageMachine, AMissingClickedPictureResetsTheCountAndShowsTheDefault) {
  Recorded r({true, true, false, true, true});
  r.machine.pointerEntered();
  r.machine.clicked();
  EXPECT_EQ(r.machine.clickCount(), 0);
  EXPECT_EQ(r.machine.state(), PictureState::normal);
  // Every attempt is reported, shown or not: PictureState::entered, PictureState::clicked1 (not shown), PictureState::normal.
  EXPECT_EQ(r.changes, 3);
  // A state picture set later shows the current state again.
  r.machine.setHeld({true, true, true, true, true});
  r.machine.statePicturesChanged();
  EXPECT_EQ(r.shown.back(), PictureState::normal);
}

}  // namespace
}  // namespace zendrift::ui
