// A home folder laid out as winetricks, Lutris, Bottles, Steam (native and Flatpak) and
// PlayOnLinux lay out their prefixes, with the traps of a real machine: a second route to the
// same prefix, folders that are not prefixes, and files that cannot be parsed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "wine_prefix_builder.h"

namespace zendrift::testing {

struct ExpectedPrefix {
  std::string kind;
  std::filesystem::path path;
  std::string name;
};

class HomeWithToolPrefixes {
 public:
  // Lays out every tool's prefixes below `home`; ~/.wine and the one $WINEPREFIX would name
  // (`home`/custom) with user "ann".
  explicit HomeWithToolPrefixes(std::filesystem::path home) : home_(std::move(home)) {
    prefix("custom");
    prefix(".wine");
    prefix(".local/share/wineprefixes/office");
    std::filesystem::create_directories(home_ / ".local/share/wineprefixes/empty");
    std::filesystem::create_symlink(home_ / ".wine", home_ / ".local/share/wineprefixes/alias");

    prefix("Games/witcher");
    prefix("Games/loose");
    prefix("elsewhere/gog");
    writeFile(home_ / ".config/lutris/games/witcher-1600000000.yml",
              "game:\n  exe: /x/witcher.exe\n  prefix: '~/Games/witcher' # set by the installer\nwine:\n  prefix: /nope\n");
    writeFile(home_ / ".local/share/lutris/games/gog-galaxy-1600000001.yml",
              "game:\n  prefix: \"" + (home_ / "elsewhere/gog").string() + "\"\n");
    writeFile(home_ / ".config/lutris/games/broken-1.yml", "game: [\n  prefix:\n\t: : \"\n");

    prefix(".local/share/bottles/bottles/Gaming");
    writeFile(home_ / ".local/share/bottles/bottles/Gaming/bottle.yml", "Arch: win64\nName: My Gaming\nRunner: wine\n");
    prefix(".var/app/com.usebottles.bottles/data/bottles/bottles/Office");

    const std::filesystem::path steam = home_ / ".local/share/Steam";
    const std::filesystem::path library = home_ / "SteamLibrary";
    prefix(".local/share/Steam/steamapps/compatdata/220/pfx");
    writeFile(steam / "steamapps/appmanifest_220.acf", "\"AppState\"\n{\n\t\"appid\"\t\t\"220\"\n\t\"name\"\t\t\"Half-Life 2\"\n}\n");
    writeFile(steam / "steamapps/libraryfolders.vdf",
              "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam.string() +
                  "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library.string() +
                  "\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"440\"\t\t\"0\"\n\t\t}\n\t}\n}\n");
    std::filesystem::create_directories(home_ / ".steam");
    std::filesystem::create_symlink(steam, home_ / ".steam/steam");
    prefix("SteamLibrary/steamapps/compatdata/440/pfx");
    writeFile(library / "steamapps/appmanifest_440.acf", "\"AppState\" { \"name\" \"Team \\\"Fortress\\\" 2\" }");
    prefix("SteamLibrary/steamapps/compatdata/999/pfx");
    std::filesystem::create_directories(library / "steamapps/compatdata/500");
    const std::filesystem::path flatpak = home_ / ".var/app/com.valvesoftware.Steam/.local/share/Steam";
    prefix(".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/730/pfx");
    writeFile(flatpak / "steamapps/appmanifest_730.acf", "\"AppState\" { \"name\" \"Counter");
    writeFile(flatpak / "steamapps/libraryfolders.vdf", "\"libraryfolders\" { \"0\" { \"path\" } }");

    prefix(".PlayOnLinux/wineprefix/Notepad");
  }

  std::filesystem::path customPrefix() const { return home_ / "custom"; }

  // What discovery must find with $WINEPREFIX at customPrefix(), in order, by real paths.
  std::vector<ExpectedPrefix> expected() const {
    const std::filesystem::path home = std::filesystem::canonical(home_);
    return {
        {"wine", home / "custom", "custom"},
        {"wine", home / ".wine", ".wine"},
        {"winetricks", home / ".local/share/wineprefixes/office", "office"},
        {"lutris", home / "Games/loose", "loose"},
        {"lutris", home / "Games/witcher", "witcher"},
        {"lutris", home / "elsewhere/gog", "gog-galaxy"},
        {"bottles", home / ".local/share/bottles/bottles/Gaming", "My Gaming"},
        {"bottles", home / ".var/app/com.usebottles.bottles/data/bottles/bottles/Office", "Office"},
        {"proton", home / ".local/share/Steam/steamapps/compatdata/220/pfx", "Half-Life 2"},
        {"proton", home / ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/730/pfx", "730"},
        {"proton", home / "SteamLibrary/steamapps/compatdata/440/pfx", "Team \"Fortress\" 2"},
        {"proton", home / "SteamLibrary/steamapps/compatdata/999/pfx", "999"},
        {"playonlinux", home / ".PlayOnLinux/wineprefix/Notepad", "Notepad"},
    };
  }

 private:
  void prefix(const std::string& relative) { WinePrefixBuilder(home_ / relative).standardLayout("ann"); }

  std::filesystem::path home_;
};

}  // namespace zendrift::testing
