// Reading the Exec= of Wine's menu entries: exactly the forms Wine 8 writes (copied from its
// files), and the hand-made lines that merely look like them.
#include <gtest/gtest.h>

#include <string_view>

#include "profile/wine_menu_entries.h"

namespace zendrift::profile::wine {
namespace {

struct ExecCase {
  std::string_view exec;  // as it stands in the file
  std::string_view prefix;
  std::string_view path;  // empty: not Wine's form
  bool startsShortcut = false;
};

constexpr ExecCase kExecCases[] = {
    // A Start menu entry, with Debian's launcher name; a user's desktop entry (target, then empty
    // arguments); an all-users desktop entry.
    {R"(env WINEPREFIX="/home/ann/my prefix" wine-stable C:\\\\users\\\\ann\\\\Start\\ Menu\\\\Programs\\\\My\\ Games\\\\Space\\ Game.lnk)",
     "/home/ann/my prefix", R"(C:\users\ann\Start Menu\Programs\My Games\Space Game.lnk)", true},
    {R"(env WINEPREFIX="/home/ann/.wine" wine C:\\\\Program\\ Files\\\\Gone\\\\desk.exe )", "/home/ann/.wine",
     R"(C:\Program Files\Gone\desk.exe)", false},
    {R"(env WINEPREFIX="/p/" /opt/wine/bin/wine64 C:\\\\users\\\\Public\\\\Desktop\\\\A\\ \\(x86\\)\\&\\;.LNK)", "/p",
     R"(C:\users\Public\Desktop\A (x86)&;.LNK)", true},
    // A shortcut with arguments, or older Wine's start.exe, is Wine's form but no shortcut's own.
    {R"(env WINEPREFIX="/p" wine C:\\\\x.lnk -safe)", "/p", R"(C:\x.lnk)", false},
    {R"(env WINEPREFIX="/p" wine C:\\\\windows\\\\command\\\\start.exe /Unix /p/dosdevices/c:/x.lnk)", "/p",
     R"(C:\windows\command\start.exe)", false},
    // Not Wine's: no prefix, another program, a Unix path, a relative prefix, single quotes, an
    // unclosed quote, a shell.
    {R"(wine C:\\\\x.lnk)", "", ""},
    {R"(env WINEPREFIX="/p" winecfg C:\\\\x.lnk)", "", ""},
    {R"(env WINEPREFIX="/p" wine /home/ann/x.lnk)", "", ""},
    {R"(env WINEPREFIX="p" wine C:\\\\x.lnk)", "", ""},
    {R"(env WINEPREFIX='/p' wine C:\\\\x.lnk)", "", ""},
    {R"(env WINEPREFIX="/p wine C:\\\\x.lnk)", "", ""},
    {R"(sh -c "env WINEPREFIX=/p wine C:\\\\x.lnk")", "", ""},
};

TEST(MenuEntryText, ExecIsReadAsWineWritesIt) {
  for (const ExecCase& c : kExecCases) {
    SCOPED_TRACE(c.exec);
    const std::optional<std::string> exec = applicationExec("[Desktop Entry]\nType=Application\nExec=" + std::string(c.exec) + "\n");
    ASSERT_TRUE(exec.has_value());
    const std::optional<WineLaunch> launch = parseWineLaunch(*exec);
    ASSERT_EQ(launch.has_value(), !c.path.empty());
    if (!launch) continue;
    EXPECT_EQ(launch->prefix, c.prefix);
    EXPECT_EQ(launch->path, c.path);
    EXPECT_EQ(launch->startsShortcut(), c.startsShortcut);
  }
  // Only an application's entry has a command; another group, a second Exec= or an unknown
  // escape is not a file Wine wrote.
  EXPECT_FALSE(applicationExec("[Desktop Entry]\nType=Directory\nExec=x\n"));
  EXPECT_FALSE(applicationExec("[Other]\nType=Application\nExec=x\n"));
  EXPECT_FALSE(applicationExec("[Desktop Entry]\nType=Application\nExec=x\nExec=y\n"));
  EXPECT_FALSE(applicationExec("[Desktop Entry]\nType=Application\nExec=a\\qb\n"));
  EXPECT_EQ(applicationExec("[Desktop Entry]\nExec=a\\sb\n[Desktop Action x]\nExec=y\n\nType=Application\n"), std::nullopt);
}

TEST(MenuEntryText, MenuFilesNameTheirEntryAndFolders) {
  const MenuPlaces places{"/d/applications/wine", "/c/menus/applications-merged", "/d/desktop-directories", "/h/Desktop"};
  const auto companions = menuCompanions({"/d/applications/wine/Programs/A&B/Chess.desktop", places.applications, {}, {}}, places);
  ASSERT_TRUE(companions);
  EXPECT_EQ(companions->menuFile, "wine-Programs-A&B-Chess.menu");
  // As Wine 8 writes it, XML escapes included.
  const auto names = readMenuFile(
      "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
      "\"http://www.freedesktop.org/standards/menu-spec/menu-1.0.dtd\">\n<Menu>\n  <Name>Applications</Name>\n"
      "  <Menu>\n    <Name>wine-wine</Name>\n    <Directory>wine-wine.directory</Directory>\n"
      "  <Menu>\n    <Name>wine-Programs</Name>\n    <Directory>wine-Programs.directory</Directory>\n"
      "  <Menu>\n    <Name>wine-Programs-A&amp;B</Name>\n    <Directory>wine-Programs-A&amp;B.directory</Directory>\n"
      "    <Include>\n      <Filename>wine-Programs-A&amp;B-Chess.desktop</Filename>\n    </Include>\n"
      "  </Menu>\n  </Menu>\n  </Menu>\n</Menu>\n");
  ASSERT_TRUE(names);
  EXPECT_EQ(names->desktopFileId, companions->desktopFileId);
  EXPECT_EQ(names->directories, companions->directories);
  // A desktop entry has no menu file; a menu file of another shape is not Wine's.
  EXPECT_FALSE(menuCompanions({"/h/Desktop/Chess.desktop", places.desktop, {}, {}}, places));
  EXPECT_FALSE(readMenuFile("<Menu><Filename>x.desktop</Filename></Menu>"));
}

}  // namespace
}  // namespace zendrift::profile::wine
