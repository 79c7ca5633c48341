// Style objects and the style manager: registration, theme changes and destruction.
#include <gtest/gtest.h>

#include <memory>

#include "widget_test_support.h"
#include "gui/qt/widgets/styled_button.h"
#include "gui/qt/widgets/button_style.h"

namespace zendrift::widgets {
namespace {

TEST(StyleManager, RegistersEachControlWithOneManagerAtATime) {
  zendrift::testing::ensureApplication();
  ButtonStyleManager first;
  ButtonStyleManager second;
  StyledButton button;
  button.setStyleManager(&first);
  button.setStyleManager(&first);
  EXPECT_EQ(first.controls().size(), 1u);
  button.setStyleManager(&second);
  EXPECT_TRUE(first.controls().empty());
  EXPECT_EQ(second.controls().size(), 1u);
  button.setStyleManager(nullptr);
  EXPECT_TRUE(second.controls().empty());
}

TEST(StyleManager, ThemeChangeIsAnnouncedAndFollowedByControlsThatUseIt) {
  zendrift::testing::ensureApplication();
  ButtonStyleManager manager;
  StyledButton button;
  int announced = 0;
  manager.onThemeChanged = [&](ButtonStyleManager&) { ++announced; };
  button.setStyleManager(&manager);
  manager.setTheme(ButtonTheme::OfficeXP);
  manager.setTheme(ButtonTheme::OfficeXP);
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(button.effectiveTheme(), ButtonTheme::OfficeXP);
  button.controlStyle().setUseStyleManager(false);
  EXPECT_EQ(button.effectiveTheme(), ButtonTheme::WindowsXP);
}

TEST(StyleManager, ControlsForgetADestroyedManagerAndManagersADestroyedControl) {
  zendrift::testing::ensureApplication();
  StyledButton button;
  {
    ButtonStyleManager manager;
    button.setStyleManager(&manager);
  }
  EXPECT_EQ(button.styleManager(), nullptr);
  ButtonStyleManager manager;
  {
    StyledButton shortLived;
    shortLived.setStyleManager(&manager);
    EXPECT_EQ(manager.controls().size(), 1u);
  }
  EXPECT_TRUE(manager.controls().empty());
  manager.setTheme(ButtonTheme::OfficeXP);  // reaches no dead control
}

TEST(Style, AssignCopiesTheValues) {
  zendrift::testing::ensureApplication();
  StyledButton a;
  StyledButton b;
  a.controlStyle().setTheme(ButtonTheme::OfficeXP);
  a.controlStyle().setUseStyleManager(false);
  b.controlStyle().assign(a.controlStyle());
  EXPECT_EQ(b.controlStyle().theme(), ButtonTheme::OfficeXP);
  EXPECT_FALSE(b.controlStyle().useStyleManager());
}

}  // namespace
}  // namespace zendrift::widgets
