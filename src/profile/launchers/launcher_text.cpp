// Game managers' desktop entries as text: the groups of a desktop entry file, its Exec= split into
// words the way desktops split it, and each manager's exact form.
#include "profile/launchers/launcher_text.h"

#include <cctype>
#include <map>
#include <vector>

#include "profile/desktop_entry_value.h"

namespace zendrift::profile::launchers {

namespace {

using Group = std::map<std::string, std::string, std::less<>>;
using Words = std::vector<std::string>;

bool allDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The groups of a desktop entry file in order, each key once. Before the first group only blank
// lines and comments (the "#!/usr/bin/env xdg-open" line some managers write first).
std::optional<std::vector<std::pair<std::string, Group>>> groupsOf(std::string_view text) {
  std::vector<std::pair<std::string, Group>> groups;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = trimmedLine(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return std::nullopt;
      groups.emplace_back(std::string(line.substr(1, line.size() - 2)), Group{});
      continue;
    }
    const std::size_t equals = line.find('=');
    if (groups.empty() || equals == std::string_view::npos) return std::nullopt;
    auto value = unescapedValue(trimmedLine(line.substr(equals + 1)));
    if (!value || !groups.back().second.emplace(trimmedLine(line.substr(0, equals)), std::move(*value)).second) {
      return std::nullopt;
    }
  }
  return groups;
}

// The words of a command as desktops split it (GLib's shell rules): blanks separate, single quotes
// keep everything, double quotes keep all but an escaped quote, backquote, dollar or backslash, and
// a backslash outside quotes keeps the next character.
std::optional<Words> splitWords(std::string_view command) {
  Words words;
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\'') {
      const std::size_t close = command.find('\'', i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      word += command.substr(i + 1, close - i - 1);
      i = close;
    } else if (c == '"') {
      for (++i; i < command.size() && command[i] != '"'; ++i) {
        if (command[i] == '\\' && i + 1 < command.size() &&
            std::string_view("\"`$\\").find(command[i + 1]) != std::string_view::npos) {
          ++i;
        }
        word += command[i];
      }
      if (i == command.size()) return std::nullopt;
    } else if (c == '\\') {
      if (++i == command.size()) return std::nullopt;
      word += command[i];
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

// Whether `group` has exactly the keys `required`, and beside them only some of `optional`.
bool hasKeys(const Group& group, std::initializer_list<std::string_view> required,
             std::initializer_list<std::string_view> optional = {}) {
  std::size_t found = 0;
  for (const std::string_view key : required) {
    if (!group.contains(key)) return false;
    ++found;
  }
  for (const std::string_view key : optional) found += group.contains(key) ? 1 : 0;
  return found == group.size();
}

// A launch configuration's name in a Lutris URL, quoted as Lutris quotes it and then with each
// "%" doubled for the Exec key.
bool isQuotedConfigName(std::string_view name) {
  if (name.empty()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
        std::string_view("_.-~").find(c) != std::string_view::npos) {
      continue;
    }
    if (!name.substr(i).starts_with("%%") || i + 4 > name.size() || !std::isxdigit(static_cast<unsigned char>(name[i + 2])) ||
        !std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
      return false;
    }
    i += 3;
  }
  return true;
}

bool isSlug(std::string_view slug) {
  return !slug.empty() && slug.find_first_of("/ \t") == std::string_view::npos;
}

// Lutris: "[Desktop Entry]" with Type, Name, Icon=lutris_<slug>, Exec, Categories=Game and, since
// 2024, TryExec=lutris (empty in its Flatpak for a while). The file is
// "net.lutris.<slug>-<id>.desktop" ("<slug>-<id>.desktop" before 2018) and starts
// "[env LUTRIS_SKIP_INIT=1] lutris|flatpak run net.lutris.Lutris lutris:rungameid/<id>[/<config>]";
// before 2015 "<slug>.desktop" started "lutris lutris:<slug>" and its icon was a file "<slug>.png".
std::optional<GameLauncher> lutrisLauncher(std::string_view stem, const Group& entry, const Words& words) {
  if (!hasKeys(entry, {"Type", "Name", "Icon", "Exec", "Categories"}, {"TryExec"}) || entry.at("Type") != "Application" ||
      entry.at("Categories") != "Game") {
    return std::nullopt;
  }
  if (const auto tryExec = entry.find("TryExec"); tryExec != entry.end() && !tryExec->second.empty() && tryExec->second != "lutris") {
    return std::nullopt;
  }
  const std::string_view icon = entry.at("Icon");
  GameLauncher launcher;
  launcher.manager = GameManager::lutris;
  if (words.size() == 2 && words[0] == "lutris" && words[1].starts_with("lutris:") && stem == words[1].substr(7) &&
      !entry.contains("TryExec")) {
    launcher.slug = std::string(stem);
    if (!isSlug(launcher.slug) || launcher.slug.starts_with("rungameid")) return std::nullopt;
    if (icon != "lutris_" + launcher.slug && !icon.ends_with("/" + launcher.slug + ".png")) return std::nullopt;
    launcher.game = launcher.slug;
    launcher.bySlug = true;
    launcher.command = words[1];
    return launcher;
  }
  std::size_t at = 0;
  if (words.size() > 2 && words[0] == "env" && words[1] == "LUTRIS_SKIP_INIT=1") at = 2;
  if (at + 1 < words.size() && words[at] == "lutris") {
    at += 1;
  } else if (at + 3 < words.size() && words[at] == "flatpak" && words[at + 1] == "run" && words[at + 2] == "net.lutris.Lutris") {
    launcher.flatpak = true;
    at += 3;
  } else {
    return std::nullopt;
  }
  constexpr std::string_view kRun = "lutris:rungameid/";
  if (at + 1 != words.size() || !words[at].starts_with(kRun)) return std::nullopt;
  const std::string_view rest = std::string_view(words[at]).substr(kRun.size());
  const std::size_t slash = rest.find('/');
  const std::string_view id = rest.substr(0, slash);
  if (!allDigits(id) || (slash != std::string_view::npos && !isQuotedConfigName(rest.substr(slash + 1)))) return std::nullopt;
  // The file is named after the slug and the id that it starts.
  const std::string tail = "-" + std::string(id);
  if (!stem.ends_with(tail)) return std::nullopt;
  std::string_view slug = stem.substr(0, stem.size() - tail.size());
  if (slug.starts_with("net.lutris.")) slug.remove_prefix(11);
  if (!isSlug(slug) || icon != "lutris_" + std::string(slug)) return std::nullopt;
  launcher.game = std::string(id);
  launcher.slug = std::string(slug);
  launcher.command = "lutris:rungameid/" + std::string(rest);
  return launcher;
}

// Steam: "<game name>.desktop" with Name, Comment=Play this game on Steam,
// Exec=steam steam://rungameid/<appid>, Icon=steam_icon_<appid> (plain "steam" before 2016),
// Terminal=false, Type=Application, Categories=Game;.
std::optional<GameLauncher> steamLauncher(const Group& entry, const Words& words) {
  constexpr std::string_view kRun = "steam://rungameid/";
  if (!hasKeys(entry, {"Name", "Comment", "Exec", "Icon", "Terminal", "Type", "Categories"}) ||
      entry.at("Comment") != "Play this game on Steam" || entry.at("Terminal") != "false" || entry.at("Type") != "Application" ||
      entry.at("Categories") != "Game;" || words.size() != 2 || words[0] != "steam" || !words[1].starts_with(kRun)) {
    return std::nullopt;
  }
  const std::string appId = words[1].substr(kRun.size());
  // Steam's own apps have 32-bit ids; those of games added by hand are far larger, and not Steam's.
  if (!allDigits(appId) || appId.size() > 10 || std::stoull(appId) > 0xFFFFFFFFull) return std::nullopt;
  if (entry.at("Icon") != "steam_icon_" + appId && entry.at("Icon") != "steam") return std::nullopt;
  GameLauncher launcher;
  launcher.manager = GameManager::steam;
  launcher.game = appId;
  launcher.command = words[1];
  return launcher;
}

// Bottles (2022 to 2025): "<bottle>--<program>--<seconds>.desktop" in the menu, with Name, Exec,
// Type, Terminal, Categories=Application;, Icon, Comment=Launch <program> using Bottles.,
// StartupWMClass=<program>, Actions=Configure; and a "Configure" action that opens the bottle.
// It starts "bottles-cli run -p <program> -b <bottle> -- %u", or the same through its Flatpak.
std::optional<GameLauncher> bottlesLauncher(std::string_view stem, const std::vector<std::pair<std::string, Group>>& groups,
                                            const Words& words) {
  if (groups.size() != 2 || groups[1].first != "Desktop Action Configure") return std::nullopt;
  const Group& entry = groups[0].second;
  const Group& action = groups[1].second;
  if (!hasKeys(entry, {"Name", "Exec", "Type", "Terminal", "Categories", "Icon", "Comment", "StartupWMClass", "Actions"}) ||
      !hasKeys(action, {"Name", "Exec"}) || entry.at("Type") != "Application" || entry.at("Terminal") != "false" ||
      entry.at("Categories") != "Application;" || entry.at("Actions") != "Configure;" ||
      action.at("Name") != "Configure in Bottles") {
    return std::nullopt;
  }
  GameLauncher launcher;
  launcher.manager = GameManager::bottles;
  std::size_t at = 0;
  if (!words.empty() && words[0] == "bottles-cli") {
    at = 1;
  } else if (words.size() > 4 && words[0] == "flatpak" && words[1] == "run" && words[2] == "--command=bottles-cli" &&
             words[3] == "com.usebottles.bottles") {
    launcher.flatpak = true;
    at = 4;
  } else {
    return std::nullopt;
  }
  if (words.size() != at + 7 || words[at] != "run" || words[at + 1] != "-p" || words[at + 3] != "-b" || words[at + 5] != "--" ||
      words[at + 6] != "%u") {
    return std::nullopt;
  }
  launcher.program = words[at + 2];
  launcher.game = words[at + 4];
  if (launcher.program.empty() || launcher.game.empty() || entry.at("Name") != launcher.program ||
      entry.at("StartupWMClass") != launcher.program || entry.at("Comment") != "Launch " + launcher.program + " using Bottles.") {
    return std::nullopt;
  }
  const auto configure = splitWords(action.at("Exec"));
  const Words opens = launcher.flatpak ? Words{"flatpak", "run", "com.usebottles.bottles", "-b", launcher.game}
                                       : Words{"bottles", "-b", launcher.game};
  if (!configure || *configure != opens) return std::nullopt;
  const std::string named = launcher.game + "--" + launcher.program + "--";
  if (!stem.starts_with(named)) return std::nullopt;
  const std::string_view seconds = stem.substr(named.size());
  const std::size_t dot = seconds.find('.');
  if (!allDigits(seconds.substr(0, dot)) || (dot != std::string_view::npos && !allDigits(seconds.substr(dot + 1)))) {
    return std::nullopt;
  }
  launcher.command = "bottles-cli run -p " + launcher.program + " -b " + launcher.game;
  return launcher;
}

}  // namespace

std::optional<GameLauncher> parseLauncher(std::string_view fileName, std::string_view text) {
  constexpr std::string_view kSuffix = ".desktop";
  if (!fileName.ends_with(kSuffix) || fileName.size() == kSuffix.size()) return std::nullopt;
  const std::string_view stem = fileName.substr(0, fileName.size() - kSuffix.size());
  const auto groups = groupsOf(text);
  if (!groups || groups->empty() || (*groups)[0].first != "Desktop Entry") return std::nullopt;
  const Group& entry = (*groups)[0].second;
  const auto exec = entry.find("Exec");
  if (exec == entry.end()) return std::nullopt;
  const auto words = splitWords(exec->second);
  if (!words || words->empty()) return std::nullopt;
  if (groups->size() == 1) {
    if (auto lutris = lutrisLauncher(stem, entry, *words)) return lutris;
    return steamLauncher(entry, *words);
  }
  return bottlesLauncher(stem, *groups, *words);
}

}  // namespace zendrift::profile::launchers
