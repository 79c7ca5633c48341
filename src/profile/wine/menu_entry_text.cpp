// Wine's menu entries as text: a desktop entry's Exec= read the way a desktop reads it, and the
// names in Wine's .menu files. Host-neutral: nothing here touches a file.
#include "profile/wine_menu_entries.h"

#include "platform/ascii_case.h"
#include "profile/desktop_entry_value.h"

namespace zendrift::profile::wine {

namespace {

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && platform::equalsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

bool isAbsoluteWindowsPath(std::string_view path) {
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  return path.size() >= 3 && letter(path[0]) && path[1] == ':' && path[2] == '\\';
}

// Text that Wine wrote as XML text undone: the five entities it writes.
std::string xmlText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool replaced = false;
    for (const auto& [entity, plain] : {std::pair{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&apos;", '\''},
                                        {"&quot;", '"'}}) {
      if (text.substr(i).starts_with(entity)) {
        out += plain;
        i += std::string_view(entity).size() - 1;
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i];
  }
  return out;
}

// The text between <tag> and </tag> on one line, trimmed; empty when the line is not that.
std::optional<std::string> element(std::string_view line, std::string_view tag) {
  const std::string open = "<" + std::string(tag) + ">";
  const std::string close = "</" + std::string(tag) + ">";
  line = trimmedLine(line);
  if (!line.starts_with(open) || !line.ends_with(close) || line.size() < open.size() + close.size()) return std::nullopt;
  return xmlText(line.substr(open.size(), line.size() - open.size() - close.size()));
}

}  // namespace

// The words of an Exec= value: blanks separate them, double quotes hold blanks (a backslash in them
// escapes a quote, backquote, dollar or backslash), and a backslash outside quotes keeps the next
// character as it is. A single quote that is not escaped is not Wine's writing.
std::optional<std::vector<std::string>> execWords(std::string_view exec) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (std::size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < exec.size() && std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
        word += exec[++i];
      } else {
        word += c;
      }
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '"') {
      quoted = true;
    } else if (c == '\\') {
      if (++i == exec.size()) return std::nullopt;
      word += exec[i];
    } else if (c == '\'') {
      return std::nullopt;
    } else {
      word += c;
    }
  }
  if (quoted) return std::nullopt;
  if (inWord) words.push_back(std::move(word));
  return words;
}

// "wine", "wine64", Debian's "wine-stable" and the like, by name or by absolute path.
bool isWineLauncher(std::string_view word) {
  const std::size_t slash = word.rfind('/');
  if (slash != std::string_view::npos && word.front() != '/') return false;
  const std::string_view name = slash == std::string_view::npos ? word : word.substr(slash + 1);
  return name == "wine" || name == "wine64" || name.starts_with("wine-") || name.starts_with("wine64-");
}

bool WineLaunch::startsShortcut() const {
  return arguments.empty() && isAbsoluteWindowsPath(path) && endsWithIgnoringCase(path, ".lnk");
}

std::optional<std::string> applicationExec(std::string_view fileText) {
  bool inGroup = false;
  bool application = false;
  std::optional<std::string> exec;
  while (!fileText.empty()) {
    const std::size_t end = std::min(fileText.find('\n'), fileText.size());
    const std::string_view line = trimmedLine(fileText.substr(0, end));
    fileText.remove_prefix(std::min(end + 1, fileText.size()));
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      // The spec puts [Desktop Entry] first; whatever group follows it is not read.
      if (inGroup) break;
      if (line != "[Desktop Entry]") return std::nullopt;
      inGroup = true;
      continue;
    }
    if (!inGroup) return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view key = trimmedLine(line.substr(0, equals));
    const std::string_view value = trimmedLine(line.substr(equals + 1));
    if (key == "Type") application = value == "Application";
    if (key == "Exec") {
      if (exec) return std::nullopt;  // a key twice: not a file Wine wrote
      exec = unescapedValue(value);
      if (!exec) return std::nullopt;
    }
  }
  if (!application) return std::nullopt;
  return exec;
}

std::optional<WineLaunch> parseWineLaunch(std::string_view exec) {
  const auto words = execWords(exec);
  constexpr std::string_view kPrefixVariable = "WINEPREFIX=";
  if (!words || words->size() < 4 || (*words)[0] != "env" || !(*words)[1].starts_with(kPrefixVariable) ||
      !isWineLauncher((*words)[2]) || !isAbsoluteWindowsPath((*words)[3])) {
    return std::nullopt;
  }
  WineLaunch launch;
  launch.prefix = (*words)[1].substr(kPrefixVariable.size());
  while (launch.prefix.size() > 1 && launch.prefix.back() == '/') launch.prefix.pop_back();
  if (launch.prefix.empty() || launch.prefix.front() != '/') return std::nullopt;
  launch.path = (*words)[3];
  launch.arguments.assign(words->begin() + 4, words->end());
  return launch;
}

std::optional<MenuCompanions> menuCompanions(const MenuEntry& entry, const MenuPlaces& places) {
  if (entry.root != places.applications || !entry.path.ends_with(".desktop")) return std::nullopt;
  // "Programs/Games/Chess.desktop" -> "wine-Programs-Games-Chess"; each folder on the way is a
  // submenu with its own .directory, below Wine's own "wine-wine".
  const std::string relative = entry.path.substr(entry.root.size() + 1);
  MenuCompanions companions;
  std::string name = "wine";
  companions.directories.push_back("wine-wine.directory");
  std::size_t start = 0;
  for (std::size_t slash; (slash = relative.find('/', start)) != std::string::npos; start = slash + 1) {
    name += "-" + relative.substr(start, slash - start);
    companions.directories.push_back(name + ".directory");
  }
  name += "-" + relative.substr(start, relative.size() - start - std::string_view(".desktop").size());
  companions.menuFile = name + ".menu";
  companions.desktopFileId = name + ".desktop";
  return companions;
}

std::optional<MenuFileNames> readMenuFile(std::string_view text) {
  if (!text.starts_with("<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"")) return std::nullopt;
  MenuFileNames names;
  int filenames = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (auto directory = element(line, "Directory")) names.directories.push_back(std::move(*directory));
    if (auto filename = element(line, "Filename")) {
      names.desktopFileId = std::move(*filename);
      ++filenames;
    }
  }
  if (filenames != 1) return std::nullopt;
  return names;
}

}  // namespace zendrift::profile::wine
