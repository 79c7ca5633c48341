// Wine's file associations as text: the entry's Exec=, the MIME package, a Windows command's
// program, icon names, and the lines of a mimeapps.list. Host-neutral: nothing here touches a file.
#include "profile/wine/file_association.h"

#include <algorithm>
#include <array>

#include "profile/desktop_entry_value.h"
#include "profile/wine_menu_entries.h"

namespace zendrift::profile::wine {

namespace {

constexpr std::string_view kEntryPrefix = "wine-extension-";
constexpr std::string_view kDesktopSuffix = ".desktop";

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isAbsoluteWindowsPath(std::string_view path) {
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  return path.size() >= 3 && letter(path[0]) && path[1] == ':' && path[2] == '\\';
}

// The lines of `text`, each with its line break.
std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size() - 1) + 1;
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end);
  }
  return lines;
}

// What Wine writes as XML text, for comparing with what it wrote.
std::string xmlText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\'': out += "&apos;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::optional<AssociationLaunch> parseAssociationLaunch(std::string_view exec) {
  const auto words = execWords(exec);
  constexpr std::string_view kPrefixVariable = "WINEPREFIX=";
  if (!words || words->size() != 7 || (*words)[0] != "env" || !(*words)[1].starts_with(kPrefixVariable) ||
      !isWineLauncher((*words)[2]) || (*words)[3] != "start" || (*words)[4] != "/ProgIDOpen" || (*words)[5].empty() ||
      (*words)[6] != "%f") {
    return std::nullopt;
  }
  AssociationLaunch launch{(*words)[1].substr(kPrefixVariable.size()), (*words)[5]};
  while (launch.prefix.size() > 1 && launch.prefix.back() == '/') launch.prefix.pop_back();
  if (launch.prefix.empty() || launch.prefix.front() != '/') return std::nullopt;
  return launch;
}

bool hasWineAssociationForm(std::string_view fileText) {
  const std::vector<std::string_view> lines = linesOf(fileText);
  if (lines.empty() || lines.front() != "[Desktop Entry]\n") return false;
  constexpr std::array<std::string_view, 7> kKeys{"Type", "Name", "MimeType", "Exec", "NoDisplay", "StartupNotify", "Icon"};
  std::array<bool, kKeys.size()> seen{};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (!line.ends_with('\n')) return false;
    line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    const auto known = std::find(kKeys.begin(), kKeys.end(), key);
    if (known == kKeys.end()) return false;
    bool& once = seen[static_cast<std::size_t>(known - kKeys.begin())];
    if (once) return false;
    once = true;
    if ((key == "Type" && value != "Application") || ((key == "NoDisplay" || key == "StartupNotify") && value != "true") ||
        (key == "MimeType" && (value.size() < 2 || !value.ends_with(';'))) || (key == "Icon" && value.empty())) {
      return false;
    }
  }
  // Every key but the icon, which Wine writes only when it found one.
  return std::all_of(seen.begin(), seen.end() - 1, [](bool found) { return found; });
}

std::optional<std::string> associationExtension(std::string_view fileName) {
  if (!fileName.starts_with(kEntryPrefix) || !fileName.ends_with(kDesktopSuffix)) return std::nullopt;
  const std::string_view extension =
      fileName.substr(kEntryPrefix.size(), fileName.size() - kEntryPrefix.size() - kDesktopSuffix.size());
  // Wine names the file after the extension in lower case; a name with a folder in it is not one.
  if (extension.empty() || extension.find('/') != std::string_view::npos ||
      std::any_of(extension.begin(), extension.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) {
    return std::nullopt;
  }
  return std::string(extension);
}

std::optional<std::string> wineMimePackageType(std::string_view text, std::string_view extension) {
  const std::vector<std::string_view> lines = linesOf(text);
  if (lines.size() < 6 || lines.size() > 7) return std::nullopt;
  if (lines[0] != "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" ||
      lines[1] != "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" ||
      lines[3] != "    <glob pattern=\"*." + xmlText(extension) + "\"/>\n" ||
      lines[lines.size() - 2] != "  </mime-type>\n" || lines.back() != "</mime-info>\n") {
    return std::nullopt;
  }
  if (lines.size() == 7 && (!lines[4].starts_with("    <comment>") || !lines[4].ends_with("</comment>\n"))) return std::nullopt;
  constexpr std::string_view kTypeOpen = "  <mime-type type=\"";
  constexpr std::string_view kTypeClose = "\">\n";
  if (!lines[2].starts_with(kTypeOpen) || !lines[2].ends_with(kTypeClose)) return std::nullopt;
  const std::string_view type = lines[2].substr(kTypeOpen.size(), lines[2].size() - kTypeOpen.size() - kTypeClose.size());
  if (type.find_first_of("&<>\"'") != std::string_view::npos || type.find('/') == std::string_view::npos) return std::nullopt;
  return std::string(type);
}

std::vector<std::string> commandProgramCandidates(std::string_view command) {
  command = trimmedLine(command);
  std::vector<std::string> candidates;
  if (command.starts_with('"')) {
    const std::size_t close = command.find('"', 1);
    if (close == std::string_view::npos) return {};
    candidates.emplace_back(command.substr(1, close - 1));
  } else {
    // Windows tries "C:\Program", then "C:\Program Files\App\app.exe", and so on.
    for (std::size_t space = command.find(' '); space != std::string_view::npos; space = command.find(' ', space + 1)) {
      candidates.emplace_back(command.substr(0, space));
    }
    candidates.emplace_back(command);
  }
  if (candidates.empty() || !isAbsoluteWindowsPath(candidates.front())) return {};
  return candidates;
}

std::optional<std::string> desktopEntryIcon(std::string_view fileText) {
  bool inGroup = false;
  for (const std::string_view rawLine : linesOf(fileText)) {
    const std::string_view line = trimmedLine(rawLine);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      if (inGroup) break;
      inGroup = line == "[Desktop Entry]";
      if (!inGroup) return std::nullopt;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && trimmedLine(line.substr(0, equals)) == "Icon") {
      const std::string_view value = trimmedLine(line.substr(equals + 1));
      if (!value.empty()) return std::string(value);
    }
  }
  return std::nullopt;
}

bool isWineIconName(std::string_view name) {
  if (name.starts_with("application-x-wine-extension-")) {
    return name.size() > 29 && name.find('/') == std::string_view::npos;
  }
  // "<CRC16>_<name>.<index>": four capital hex digits, a name, and an icon index.
  if (name.size() < 8 || !std::all_of(name.begin(), name.begin() + 4, isHexDigit) || name[4] != '_') return false;
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot <= 5 || dot + 1 == name.size()) return false;
  std::string_view index = name.substr(dot + 1);
  if (index.starts_with('-')) index.remove_prefix(1);
  return !index.empty() && std::all_of(index.begin(), index.end(), isDigit) && name.find('/') == std::string_view::npos;
}

std::vector<LineEdit> mimeappsEditsDropping(std::string_view text, std::string_view desktopId) {
  std::vector<LineEdit> edits;
  const std::vector<std::string_view> lines = linesOf(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::string_view content = trimmedLine(line);
    if (content.empty() || content.front() == '#' || content.front() == '[') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    // The value is a list of desktop file ids, each followed by ";" (the last may lack it).
    const std::string_view ending = line.substr(line.find_last_not_of("\r\n") + 1);
    const std::string_view value = line.substr(equals + 1, line.size() - equals - 1 - ending.size());
    std::string kept;
    bool named = false;
    int others = 0;
    for (std::size_t start = 0; start <= value.size();) {
      const std::size_t end = std::min(value.find(';', start), value.size());
      const std::string_view item = value.substr(start, end - start);
      const bool last = end == value.size();
      if (trimmedLine(item) == desktopId) {
        named = true;
      } else if (!item.empty() || !last) {
        kept += item;
        if (!last) kept += ';';
        if (!trimmedLine(item).empty()) ++others;
      }
      start = end + 1;
    }
    if (!named) continue;
    if (others == 0) {
      edits.push_back({i, std::string(line), std::nullopt, {}});
    } else {
      edits.push_back({i, std::string(line), std::string(line.substr(0, equals + 1)) + kept + std::string(ending), {}});
    }
  }
  // Line numbers count in the file as it is when each edit is made: a removed line moves the rest.
  std::vector<std::string> current;
  for (const std::string_view line : lines) current.emplace_back(line);
  std::size_t removed = 0;
  for (LineEdit& edit : edits) {
    edit.line -= removed;
    if (edit.after) {
      current[edit.line] = *edit.after;
      continue;
    }
    if (edit.line > 0) edit.above = current[edit.line - 1];
    current.erase(current.begin() + static_cast<std::ptrdiff_t>(edit.line));
    ++removed;
  }
  return edits;
}

std::vector<std::string> associationIdsDropped(const LineEdit& edit) {
  // The ids a mimeapps.list line names: its value, split at ";".
  const auto idsOf = [](std::string_view line) {
    std::vector<std::string_view> ids;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return ids;
    for (std::string_view value = line.substr(equals + 1); !value.empty();) {
      const std::size_t end = std::min(value.find(';'), value.size());
      if (const std::string_view id = trimmedLine(value.substr(0, end)); !id.empty()) ids.push_back(id);
      value.remove_prefix(std::min(end + 1, value.size()));
    }
    return ids;
  };
  const std::vector<std::string_view> after = edit.after ? idsOf(*edit.after) : std::vector<std::string_view>();
  std::vector<std::string> dropped;
  for (const std::string_view id : idsOf(edit.before)) {
    if (associationExtension(id) && std::find(after.begin(), after.end(), id) == after.end()) {
      dropped.emplace_back(id);
    }
  }
  return dropped;
}

std::string withLineEdits(std::string_view text, const std::vector<LineEdit>& edits) {
  std::vector<std::string> lines;
  for (const std::string_view line : linesOf(text)) lines.emplace_back(line);
  for (const LineEdit& edit : edits) {
    if (edit.line >= lines.size()) continue;
    if (edit.after) {
      lines[edit.line] = *edit.after;
    } else {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(edit.line));
    }
  }
  std::string out;
  for (const std::string& line : lines) out += line;
  return out;
}

std::optional<std::string> withoutLineEdits(std::string_view text, const std::vector<LineEdit>& edits) {
  std::vector<std::string> lines;
  for (const std::string_view line : linesOf(text)) lines.emplace_back(line);
  for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
    if (!edit->after) {
      std::size_t at = edit->line;
      const bool inPlace = edit->above.empty() ? at == 0 : at > 0 && at <= lines.size() && lines[at - 1] == edit->above;
      if (!inPlace) {
        if (edit->above.empty()) return std::nullopt;
        const auto found = std::find(lines.begin(), lines.end(), edit->above);
        if (found == lines.end() || std::find(found + 1, lines.end(), edit->above) != lines.end()) return std::nullopt;
        at = static_cast<std::size_t>(found - lines.begin()) + 1;
      }
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), edit->before);
      continue;
    }
    std::size_t at = edit->line;
    if (at >= lines.size() || lines[at] != *edit->after) {
      const auto found = std::find(lines.begin(), lines.end(), *edit->after);
      if (found == lines.end() || std::find(found + 1, lines.end(), *edit->after) != lines.end()) return std::nullopt;
      at = static_cast<std::size_t>(found - lines.begin());
    }
    lines[at] = edit->before;
  }
  std::string out;
  for (const std::string& line : lines) out += line;
  return out;
}

}  // namespace zendrift::profile::wine
