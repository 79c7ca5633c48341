// The result list's window, driven by the messages a user's keys and mouse send it: the "+" and
// "-" keys, a press and a release on a check cell, and its cells on a screen of twice the density.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "gui/win32/check_list_window.h"
#include "ui/check_list_model.h"
#include "ui/font.h"
#include "window_test_support.h"

namespace zendrift::win32 {
namespace {

using ui::CheckState;

class CheckListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::registerWindowClasses();
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent_) << "no window can be made (under Wine: a display, or the null display driver)";
    for (const char* path : {"C:\\a.lnk", "C:\\b.lnk", "C:\\c.lnk", "C:\\d.lnk"}) model_.items.add(path);
    model_.setItemChecked(0, true);
    model_.setItemEnabled(3, false);
  }
  void TearDown() override {
    list_.reset();
    if (parent_) DestroyWindow(parent_);
  }
  HWND makeList(int dpi) {
    list_ = std::make_unique<CheckListWindow>(parent_, model_, 100, ui::windowFont(), dpi);
    MoveWindow(list_->handle(), 0, 0, 400, 300, FALSE);
    return list_->handle();
  }
  int lineHeight() const { return static_cast<int>(SendMessageW(list_->handle(), LB_GETITEMHEIGHT, 0, 0)); }
  // The mouse's message at (x, the middle of line `line`).
  void mouse(UINT message, int x, int line) {
    SendMessageW(list_->handle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(x, line * lineHeight() + lineHeight() / 2));
  }
  // The width of the check box drawn on the first line: the extent of its grey frame in the
  // leftmost `areaWidth` pixels.
  int checkBoxSide(int areaWidth) {
    RECT client{};
    GetClientRect(list_->handle(), &client);
    testing::DibTarget dib(client.right, client.bottom);
    SendMessageW(list_->handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
    int left = dib.width(), right = -1;
    for (int y = 0; y < lineHeight(); ++y) {
      for (int x = 0; x < areaWidth; ++x) {
        if (dib.rgb(x, y) != 0x808080u) continue;
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    return right - left + 1;
  }

  HWND parent_ = nullptr;
  ui::CheckListModel model_;
  std::unique_ptr<CheckListWindow> list_;
};

TEST_F(CheckListWindowTest, PlusMarksAndMinusUnmarksEveryEnabledLine) {
  HWND list = makeList(96);
  int clicks = 0;
  model_.onClickCheck = [&clicks](ui::CheckListModel&) { ++clicks; };
  SendMessageW(list, WM_CHAR, L'+', 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(model_.itemState(i), CheckState::checked) << i;
  EXPECT_EQ(model_.itemState(3), CheckState::unchecked) << "a disabled line keeps its mark";
  SendMessageW(list, WM_CHAR, L'-', 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(model_.itemState(i), CheckState::unchecked) << i;
  EXPECT_EQ(clicks, 2);
}

TEST_F(CheckListWindowTest, APressOnACheckCellSelectsTheLineAndTheReleaseThereTogglesIt) {
  makeList(96);
  mouse(WM_LBUTTONDOWN, 8, 1);
  EXPECT_TRUE(model_.isItemSelected(1));
  EXPECT_EQ(model_.itemIndex(), 1);
  EXPECT_EQ(model_.itemState(1), CheckState::unchecked) << "the press alone marks nothing";
  mouse(WM_LBUTTONUP, 8, 1);
  EXPECT_EQ(model_.itemState(1), CheckState::checked);
  EXPECT_TRUE(model_.isItemSelected(1));

  // On the text a press and its release only select; a press there released over the cell marks.
  mouse(WM_LBUTTONDOWN, 200, 0);
  mouse(WM_LBUTTONUP, 200, 0);
  EXPECT_TRUE(model_.isItemSelected(0));
  EXPECT_FALSE(model_.isItemSelected(1));
  EXPECT_EQ(model_.itemState(0), CheckState::checked);
  mouse(WM_LBUTTONDOWN, 200, 2);
  mouse(WM_LBUTTONUP, 8, 2);
  EXPECT_EQ(model_.itemState(2), CheckState::checked);
}

TEST_F(CheckListWindowTest, AtTwiceTheDensityTheCheckCellsAndTheirAreaAreTwiceTheSize) {
  makeList(96);
  EXPECT_EQ(lineHeight(), 13);
  EXPECT_EQ(checkBoxSide(18), 11);
  list_->setDpi(192);
  EXPECT_GE(lineHeight(), 26);
  EXPECT_EQ(checkBoxSide(36), 22);
  // 30 pixels in is the check area now (36 wide), not the text.
  mouse(WM_LBUTTONDOWN, 30, 1);
  mouse(WM_LBUTTONUP, 30, 1);
  EXPECT_EQ(model_.itemState(1), CheckState::checked);
  // A list made on such a screen is the same.
  makeList(192);
  EXPECT_EQ(checkBoxSide(36), 22);
}

}  // namespace
}  // namespace zendrift::win32
