// The game managers' desktop entries as text: each manager's exact forms are taken, with what they
// start; anything merely like them is not.
#include <gtest/gtest.h>

#include "profile/launchers/launcher_text.h"

namespace zendrift::profile::launchers {
namespace {

std::string lutris(std::string_view icon, std::string_view exec, std::string_view extra = "") {
  return "\n[Desktop Entry]\nType=Application\nName=A Game\nIcon=" + std::string(icon) + "\nExec=" + std::string(exec) +
         "\nCategories=Game\n" + std::string(extra);
}

const std::string kBottles =
    "[Desktop Entry]\nName=My Game\nExec=flatpak run --command=bottles-cli com.usebottles.bottles run -p 'My Game' -b "
    "\"Games \\\\$1\" -- %u\nType=Application\nTerminal=false\nCategories=Application;\nIcon=/x/icon.png\n"
    "Comment=Launch My Game using Bottles.\nStartupWMClass=My Game\nActions=Configure;\n[Desktop Action Configure]\n"
    "Name=Configure in Bottles\nExec=flatpak run com.usebottles.bottles -b 'Games $1'\n";

TEST(LauncherText, TakesEachManagersFormsWithWhatTheyStart) {
  struct Case {
    std::string file;
    std::string text;
    GameManager manager;
    std::string game, slug, program, command;
    bool bySlug, flatpak;
  };
  const Case cases[] = {
      {"net.lutris.doom-2-12.desktop", lutris("lutris_doom-2", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/12", "TryExec=lutris\n"),
       GameManager::lutris, "12", "doom-2", "", "lutris:rungameid/12", false, false},
      {"doom-12.desktop", lutris("lutris_doom", "lutris lutris:rungameid/12"), GameManager::lutris, "12", "doom", "",
       "lutris:rungameid/12", false, false},
      {"net.lutris.doom-12.desktop",
       lutris("lutris_doom", "env LUTRIS_SKIP_INIT=1 flatpak run net.lutris.Lutris 'lutris:rungameid/12/Big%%20Screen'", "\n"),
       GameManager::lutris, "12", "doom", "", "lutris:rungameid/12/Big%%20Screen", false, true},
      {"quake.desktop", "#!/usr/bin/env xdg-open\n" + lutris("/home/a/.local/share/lutris/icons/quake.png", "lutris lutris:quake"),
       GameManager::lutris, "quake", "quake", "", "lutris:quake", true, false},
      {"Portal 2.desktop",
       "[Desktop Entry]\nName=Portal 2\nComment=Play this game on Steam\nExec=steam steam://rungameid/620\n"
       "Icon=steam_icon_620\nTerminal=false\nType=Application\nCategories=Game;\n",
       GameManager::steam, "620", "", "", "steam://rungameid/620", false, false},
      {"Games $1--My Game--1712345678.123.desktop", kBottles, GameManager::bottles, "Games $1", "", "My Game",
       "bottles-cli run -p My Game -b Games $1", false, true},
  };
  for (const Case& c : cases) {
    const auto launcher = parseLauncher(c.file, c.text);
    ASSERT_TRUE(launcher) << c.file;
    EXPECT_EQ(launcher->manager, c.manager) << c.file;
    EXPECT_EQ(launcher->game, c.game) << c.file;
    EXPECT_EQ(launcher->slug, c.slug) << c.file;
    EXPECT_EQ(launcher->program, c.program) << c.file;
    EXPECT_EQ(launcher->command, c.command) << c.file;
    EXPECT_EQ(launcher->bySlug, c.bySlug) << c.file;
    EXPECT_EQ(launcher->flatpak, c.flatpak) << c.file;
  }
}

TEST(LauncherText, RefusesWhatIsOnlyLikeThem) {
  const std::string steam = "[Desktop Entry]\nName=X\nComment=Play this game on Steam\nExec=steam steam://rungameid/620\n"
                            "Icon=steam_icon_620\nTerminal=false\nType=Application\nCategories=Game;\n";
  const std::pair<std::string, std::string> cases[] = {
      // Lutris: another id in the name, another icon, a key of its own, another command or more words.
      {"net.lutris.doom-13.desktop", lutris("lutris_doom", "lutris lutris:rungameid/12")},
      {"net.lutris.doom-12.desktop", lutris("doom", "lutris lutris:rungameid/12")},
      {"net.lutris.doom-12.desktop", lutris("lutris_doom", "lutris lutris:rungameid/12", "Terminal=false\n")},
      {"net.lutris.doom-12.desktop", lutris("lutris_doom", "lutris lutris:rungameid/12", "TryExec=/usr/bin/true\n")},
      {"net.lutris.doom-12.desktop", lutris("lutris_doom", "lutris lutris:rungameid/12 --debug")},
      {"net.lutris.doom-12.desktop", lutris("lutris_doom", "lutris lutris:rungameid/12/a b")},
      {"net.lutris.doom-12.desktop", lutris("lutris_doom", "env LUTRIS_SKIP_INIT=1 mylutris lutris:rungameid/12")},
      {"net.lutris.doom-12.desktop", lutris("lutris_doom", "lutris lutris:rungameid/x12")},
      {"quake.desktop", lutris("lutris_quake", "lutris lutris:doom")},
      {"quake.desktop", lutris("lutris_quake", "lutris lutris:quake", "TryExec=lutris\n")},
      // Steam: a game added by hand, another comment, another command, a second [Desktop Entry] key.
      {"X.desktop", "[Desktop Entry]\nName=X\nComment=Play this game on Steam\nExec=steam steam://rungameid/16008754155011178496\n"
                    "Icon=steam\nTerminal=false\nType=Application\nCategories=Game;\n"},
      {"X.desktop", steam.substr(0, steam.find("Play")) + "Play it" + steam.substr(steam.find("\nExec"))},
      {"X.desktop", steam.substr(0, steam.find("steam steam")) + "/usr/bin/steam steam" + steam.substr(steam.find("://"))},
      {"X.desktop", steam + "Exec=steam steam://rungameid/620\n"},
      {"X.desktop", steam + "[Desktop Action Play]\nName=Play\nExec=steam steam://rungameid/620\n"},
      // Bottles: a name without its time, or with another program; arguments of the user's own.
      {"Games $1--My Game.desktop", kBottles},
      {"Games $1--Other--1712345678.desktop", kBottles},
      {"Games $1--My Game--1712345678.desktop",
       kBottles.substr(0, kBottles.find(" -- %u")) + " -- -fullscreen %u" + kBottles.substr(kBottles.find("\nType"))},
      // Not a desktop entry.
      {"X.desktop", "Exec=steam steam://rungameid/620\n"},
  };
  for (const auto& [file, text] : cases) EXPECT_FALSE(parseLauncher(file, text)) << file << "\n" << text;
}

}  // namespace
}  // namespace zendrift::profile::launchers
