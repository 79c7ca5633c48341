// Style objects and the style manager: registration, theme changes and destruction.
#include <gtest/gtest.h>

#include <memory>

#include "widget_test_support.h"
#include "widgets/xp_button.h"
#include "widgets/xp_style.h"

namespace zendrift::widgets {
namespace {

TEST(StyleManager, RegistersEachControlWithOneManagerAtATime) {
  zendrift::testing::ensureApplication();
  TJvXPStyleManager first;
  TJvXPStyleManager second;
  TJvXPButton button;
  button.SetStyleManager(&first);
  button.SetStyleManager(&first);
  EXPECT_EQ(first.Controls().size(), 1u);
  button.SetStyleManager(&second);
  EXPECT_TRUE(first.Controls().empty());
  EXPECT_EQ(second.Controls().size(), 1u);
  button.SetStyleManager(nullptr);
  EXPECT_TRUE(second.Controls().empty());
}

TEST(StyleManager, ThemeChangeIsAnnouncedAndFollowedByControlsThatUseIt) {
  zendrift::testing::ensureApplication();
  TJvXPStyleManager manager;
  TJvXPButton button;
  int announced = 0;
  manager.OnThemeChanged = [&](TJvXPStyleManager&) { ++announced; };
  button.SetStyleManager(&manager);
  manager.SetTheme(TJvXPTheme::OfficeXP);
  manager.SetTheme(TJvXPTheme::OfficeXP);
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(button.EffectiveTheme(), TJvXPTheme::OfficeXP);
  button.Style().SetUseStyleManager(false);
  EXPECT_EQ(button.EffectiveTheme(), TJvXPTheme::WindowsXP);
}

TEST(StyleManager, ControlsForgetADestroyedManagerAndManagersADestroyedControl) {
  zendrift::testing::ensureApplication();
  TJvXPButton button;
  {
    TJvXPStyleManager manager;
    button.SetStyleManager(&manager);
  }
  EXPECT_EQ(button.StyleManager(), nullptr);
  TJvXPStyleManager manager;
  {
    TJvXPButton shortLived;
    shortLived.SetStyleManager(&manager);
    EXPECT_EQ(manager.Controls().size(), 1u);
  }
  EXPECT_TRUE(manager.Controls().empty());
  manager.SetTheme(TJvXPTheme::OfficeXP);  // reaches no dead control
}

TEST(Style, AssignCopiesTheValues) {
  zendrift::testing::ensureApplication();
  TJvXPButton a;
  TJvXPButton b;
  a.Style().SetTheme(TJvXPTheme::OfficeXP);
  a.Style().SetUseStyleManager(false);
  b.Style().Assign(a.Style());
  EXPECT_EQ(b.Style().Theme(), TJvXPTheme::OfficeXP);
  EXPECT_FALSE(b.Style().UseStyleManager());
}

}  // namespace
}  // namespace zendrift::widgets
