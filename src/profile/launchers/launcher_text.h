// The desktop entries that game managers write for a game, read from their text: Lutris
// ("net.lutris.<slug>-<id>.desktop" starting lutris:rungameid/<id>; "<slug>.desktop" starting
// lutris:<slug> in old versions), Steam (Exec=steam steam://rungameid/<appid>) and Bottles
// ("<bottle>--<program>--<time>.desktop" starting bottles-cli run -p <program> -b <bottle>, natively
// or through its Flatpak). Only a file in exactly the form its manager writes is taken for one:
// the same keys and no others, the same fixed values, the same command. Host-neutral.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zendrift::profile::launchers {

enum class GameManager { lutris, steam, bottles };

struct GameLauncher {
  GameManager manager = GameManager::lutris;
  // Lutris: the game's id, or its slug in the old form; Steam: the app id; Bottles: the bottle's name.
  std::string game;
  std::string slug;     // Lutris: the game's slug, from the file name
  std::string program;  // Bottles: the program's name
  bool bySlug = false;  // Lutris's old form, which names the game by its slug
  bool flatpak = false;  // started through the manager's Flatpak
  std::string command;   // what it starts: "lutris:rungameid/12", "steam://rungameid/620", …
};

// The launcher in the file named `fileName` whose text is `text`; empty when it is not exactly in
// a game manager's form.
std::optional<GameLauncher> parseLauncher(std::string_view fileName, std::string_view text);

}  // namespace zendrift::profile::launchers
