// Reading what Lutris, Steam and Bottles hold, as each keeps it, to judge their launchers.
#include "profile/launchers/game_libraries.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "platform/ascii_case.h"
#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "profile/prefix_discovery.h"
#include "profile/wine/valve_key_values.h"
#include "profile/wine/yaml_scalar.h"
#include "profile/wine_menu_entries.h"

namespace zendrift::profile::launchers {

namespace {

// Launchers and the managers' own text files are small; anything far larger is not theirs.
constexpr std::size_t kMaxLauncherSize = 64 * 1024;
constexpr std::size_t kMaxConfigSize = 4u << 20;
// How long a read waits for Lutris to finish writing its database before giving up on it.
constexpr int kDatabaseWaitMs = 500;

std::string homeFolder() { return hostPrefixPlaces().home; }

// $XDG_DATA_HOME and $XDG_CONFIG_HOME as Wine's places already resolve them.
std::string dataHome() { return platform::parentPath(platform::parentPath(wine::menuPlaces().applications)); }
std::string configHome() { return platform::parentPath(platform::parentPath(wine::menuPlaces().menus)); }

// The folders in `folder`, links to folders among them; an error for a link that leads nowhere
// (to a disk that is away), since what it held is not known.
std::vector<std::string> subfolders(const std::string& folder, std::error_code& error) {
  std::vector<std::string> names;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::filesystem::file_status status = it->status(error);
    if (status.type() == std::filesystem::file_type::not_found) error = std::make_error_code(std::errc::no_such_file_or_directory);
    if (error) break;
    if (std::filesystem::is_directory(status)) names.push_back(it->path().filename().string());
  }
  return names;
}

// ---- Lutris ----

// Lutris's games: by id whether installed; and the slugs and installer slugs of installed ones.
struct LutrisGames {
  std::map<std::string, bool> installedById;
  std::set<std::string> installedNames;  // ids, slugs and installer slugs of installed games
  std::set<std::string> names;           // of every game
};

// The value of `key` in the [lutris] section of Lutris's settings file (Python's INI format).
std::optional<std::string> lutrisSetting(std::string_view text, std::string_view key) {
  bool inSection = false;
  std::optional<std::string> value;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos || line[start] == '#' || line[start] == ';') continue;
    line.remove_prefix(start);
    if (line.front() == '[') {
      inSection = line == "[lutris]";
      continue;
    }
    const std::size_t equals = line.find_first_of("=:");
    if (!inSection || equals == std::string_view::npos) continue;
    std::string name(line.substr(0, equals));
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    if (!platform::equalsIgnoringAsciiCase(name, key)) continue;
    std::string_view rest = line.substr(equals + 1);
    rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
    value = std::string(rest);
  }
  return value;
}

// Lutris's database: "pga_path" of its settings file when set, else pga.db in its data folder.
// Its settings live in <config>/lutris, or in <data>/lutris when that folder is missing. Empty
// when the settings name a place that cannot be taken as it stands.
std::optional<std::string> lutrisDatabase(const std::string& data, const std::string& config) {
  const std::string dataFolder = platform::join(data, "lutris");
  std::string configFolder = platform::join(config, "lutris");
  if (!platform::folderExists(configFolder)) configFolder = dataFolder;
  const auto settings = platform::readFile(platform::join(configFolder, "lutris.conf"), kMaxConfigSize);
  if (settings) {
    if (auto path = lutrisSetting(*settings, "pga_path"); path && !path->empty()) {
      // Python's INI interpolation would change a value with "%"; a relative one depends on
      // where Lutris was started.
      if (path->front() != '/' || path->find('%') != std::string::npos) return std::nullopt;
      return path;
    }
  } else if (platform::fileExists(platform::join(configFolder, "lutris.conf"))) {
    return std::nullopt;
  }
  return platform::join(dataFolder, "pga.db");
}

// Whether the database at `path` is in WAL mode without its -wal and -shm files beside it: SQLite
// would make them in Lutris's folder even to read it read-only. The header's file format versions
// (bytes 18 and 19) are 2 in WAL mode.
bool walFilesMissing(const std::string& path, std::string_view header) {
  constexpr std::size_t kVersions = 18;
  constexpr char kWal = 2;
  if (header.size() < kVersions + 2 || (header[kVersions] != kWal && header[kVersions + 1] != kWal)) return false;
  return !platform::fileExists(path + "-wal") || !platform::fileExists(path + "-shm");
}

// The games of the database at `path`, read-only; empty when it cannot be read whole (missing,
// locked by Lutris, not Lutris's) or not without writing beside it.
std::optional<LutrisGames> readLutrisGames(const std::string& path) {
  constexpr std::size_t kHeaderSize = 100;
  const auto header = platform::readFile(path, kHeaderSize);
  if (!header || walFilesMissing(path, *header)) return std::nullopt;
  sqlite3* raw = nullptr;
  const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> database(raw, &sqlite3_close);
  if (opened != SQLITE_OK) return std::nullopt;
  sqlite3_busy_timeout(database.get(), kDatabaseWaitMs);
  sqlite3_stmt* rawStatement = nullptr;
  if (sqlite3_prepare_v2(database.get(), "SELECT id, slug, installer_slug, installed FROM games", -1, &rawStatement,
                         nullptr) != SQLITE_OK) {
    return std::nullopt;
  }
  const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(rawStatement, &sqlite3_finalize);
  LutrisGames games;
  const auto text = [&](int column) {
    const unsigned char* value = sqlite3_column_text(statement.get(), column);
    return value ? std::string(reinterpret_cast<const char*>(value)) : std::string();
  };
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
    const std::string id = text(0);
    const bool installed = sqlite3_column_int(statement.get(), 3) != 0;
    games.installedById[id] = installed;
    for (std::string name : {id, text(1), text(2)}) {
      if (name.empty()) continue;
      if (installed) games.installedNames.insert(name);
      games.names.insert(std::move(name));
    }
  }
  if (step != SQLITE_DONE) return std::nullopt;
  return games;
}

// ---- Steam ----

// Whether some Steam library holds the app's manifest: empty when Steam's libraries cannot all be
// read (no Steam here, a library list that cannot be read, a library on a disk that is away).
class SteamLibraries {
 public:
  explicit SteamLibraries(const std::string& home) {
    if (home.empty()) return;
    bool anySteam = false;
    for (const char* root : {".steam/steam", ".local/share/Steam", ".var/app/com.valvesoftware.Steam/.local/share/Steam",
                             ".var/app/com.valvesoftware.Steam/data/Steam"}) {
      const std::string steam = platform::join(home, root);
      if (!platform::folderExists(platform::join(steam, "steamapps"))) continue;
      anySteam = true;
      libraries_.push_back(steam);
      bool listed = false;
      for (const char* list : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"}) {
        const auto text = platform::readFile(platform::join(steam, list), kMaxConfigSize);
        if (!text) continue;
        const auto folders = wine::parseKeyValues(*text);
        const wine::KeyValues* entries = folders ? folders->child("libraryfolders") : nullptr;
        if (!entries) return;  // a list that Steam would read and this cannot
        listed = true;
        for (const wine::KeyValues& entry : entries->children) {
          if (entry.block) {
            if (const wine::KeyValues* path = entry.child("path"); path && !path->value.empty()) libraries_.push_back(path->value);
          } else if (!entry.key.empty() && entry.key.find_first_not_of("0123456789") == std::string::npos) {
            libraries_.push_back(entry.value);
          }
        }
      }
      if (!listed) return;
    }
    readable_ = anySteam && std::all_of(libraries_.begin(), libraries_.end(), [](const std::string& library) {
                  return platform::folderExists(platform::join(library, "steamapps"));
                });
  }

  std::optional<bool> holds(const std::string& appId) const {
    if (!readable_) return std::nullopt;
    const std::string manifest = "steamapps/appmanifest_" + appId + ".acf";
    return std::any_of(libraries_.begin(), libraries_.end(),
                       [&](const std::string& library) { return platform::fileExists(platform::join(library, manifest)); });
  }

 private:
  std::vector<std::string> libraries_;
  bool readable_ = false;
};

// ---- Bottles ----

// The programs a bottle's bottle.yml lists under External_Programs and has not marked removed.
std::set<std::string> externalPrograms(std::string_view text) {
  std::set<std::string> names;
  bool inPrograms = false;
  std::string name;
  bool removed = false;
  const auto finish = [&] {
    if (!name.empty() && !removed) names.insert(name);
    name.clear();
    removed = false;
  };
  std::size_t programIndent = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t indent = line.find_first_not_of(' ');
    if (indent == std::string_view::npos || line[indent] == '#') continue;
    if (indent == 0) {
      if (inPrograms) finish();
      inPrograms = line.starts_with("External_Programs:");
      programIndent = 0;
      continue;
    }
    if (!inPrograms) continue;
    if (programIndent == 0) programIndent = indent;
    if (indent == programIndent) {
      finish();
      continue;
    }
    const std::string_view field = line.substr(indent);
    if (field.starts_with("name:")) name = wine::yamlScalar(field, "", "name").value_or("");
    if (field.starts_with("removed:")) removed = wine::yamlScalar(field, "", "removed").value_or("") == "true";
  }
  if (inPrograms) finish();
  return names;
}

struct Bottle {
  std::string folder;
  std::set<std::string> programs;  // External_Programs
  // The names of the files below its drive_c without their extension, in lower case: Bottles
  // also lists the programs its Start menu's shortcuts start, by their executable's name. Read at
  // the first launcher that needs them; empty when they cannot be.
  std::optional<std::set<std::string>> fileStems;
  bool stemsRead = false;
};

// The bottles of one Bottles installation by their names; empty when they cannot all be read.
std::optional<std::map<std::string, Bottle>> readBottles(const std::string& base) {
  std::string folder = platform::join(base, "bottles");
  // A place of the user's choice, which Bottles takes when it is a folder.
  if (const auto data = platform::readFile(platform::join(base, "data.yml"), kMaxConfigSize)) {
    if (auto custom = wine::yamlScalar(*data, "", "custom_bottles_path"); custom && !custom->empty()) {
      // Away (an unplugged disk): its bottles cannot be read, and the default folder is not theirs.
      if (!platform::folderExists(*custom)) return std::nullopt;
      folder = *custom;
    }
  }
  if (!platform::folderExists(folder)) return std::nullopt;
  std::error_code error;
  const std::vector<std::string> names = subfolders(folder, error);
  if (error) return std::nullopt;
  std::map<std::string, Bottle> bottles;
  for (const std::string& name : names) {
    std::string bottle = platform::join(folder, name);
    // A bottle kept elsewhere leaves a placeholder naming its place.
    const std::string placeholder = platform::join(bottle, "placeholder.yml");
    if (platform::fileExists(placeholder)) {
      const auto text = platform::readFile(placeholder, kMaxConfigSize);
      const auto path = text ? wine::yamlScalar(*text, "", "Path") : std::nullopt;
      if (!path || path->empty()) return std::nullopt;
      bottle = *path;
    }
    // Without its settings the folder may be a bottle whose disk is away (an empty mount point):
    // which bottle it is cannot be told.
    const std::string config = platform::join(bottle, "bottle.yml");
    if (!platform::fileExists(config)) return std::nullopt;
    const auto text = platform::readFile(config, kMaxConfigSize);
    const auto bottleName = text ? wine::yamlScalar(*text, "", "Name") : std::nullopt;
    if (!bottleName || bottleName->empty()) return std::nullopt;
    bottles[*bottleName] = Bottle{bottle, externalPrograms(*text), std::nullopt, false};
  }
  return bottles;
}

std::optional<std::set<std::string>> fileStemsBelow(const std::string& folder) {
  std::set<std::string> stems;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    // A link to a folder is not walked and one that leads nowhere cannot be: a program may lie
    // behind either.
    const bool isFile = it->is_regular_file(error);
    if (error) break;
    if (!isFile) {
      if (it->is_symlink(error) || error) return std::nullopt;
      continue;
    }
    std::string stem = it->path().stem().string();
    for (char& c : stem) c = platform::lowerAscii(c);
    stems.insert(std::move(stem));
  }
  if (error) return std::nullopt;
  return stems;
}

std::string lowered(std::string text) {
  for (char& c : text) c = platform::lowerAscii(c);
  return text;
}

}  // namespace

LauncherPlaces launcherPlaces() {
  const wine::MenuPlaces places = wine::menuPlaces();
  if (places.applications.empty()) return {};
  return {platform::parentPath(places.applications), places.desktop};
}

std::optional<GameLauncher> readLauncher(const std::string& path, const platform::EntryIdentity& identity) {
  const auto text = platform::readFile(path, kMaxLauncherSize + 1);
  // What was read must be the file whose identity was taken: the removal checks that one.
  if (!text || text->size() > kMaxLauncherSize || !(platform::entryIdentity(path) == identity)) return std::nullopt;
  return parseLauncher(platform::fileName(path), *text);
}

std::vector<LauncherFile> listLaunchers(const LauncherPlaces& places, bool menu, bool desktop) {
  std::vector<LauncherFile> found;
  for (const auto& [wanted, folder] : {std::pair{menu, places.menu}, std::pair{desktop, places.desktop}}) {
    if (!wanted || folder.empty()) continue;
    const std::size_t before = found.size();
    platform::DirectoryListing listing;
    for (std::error_code code = listing.open(folder); !code; code = listing.next()) {
      const platform::DirEntry& entry = listing.entry();
      if (entry.isSymlink() || entry.isDirectory() || !entry.name().ends_with(".desktop")) continue;
      const std::string path = entry.fullPath();
      const platform::Result<platform::EntryIdentity> identity = platform::entryIdentity(path);
      if (!identity) continue;
      if (auto launcher = readLauncher(path, *identity)) found.push_back({path, folder, *identity, std::move(*launcher)});
    }
    // A listing that failed to close was not read as it should be: its launchers are not judged.
    if (listing.close()) found.resize(before);
  }
  return found;
}

struct GameLibraries::Data {
  std::string home = homeFolder();
  std::map<bool, std::optional<LutrisGames>> lutris;  // by whether it is the Flatpak's
  std::optional<SteamLibraries> steam;
  std::map<bool, std::optional<std::map<std::string, Bottle>>> bottles;

  const std::optional<LutrisGames>& lutrisGames(bool flatpak) {
    if (const auto it = lutris.find(flatpak); it != lutris.end()) return it->second;
    const std::string sandbox = platform::join(home, ".var/app/net.lutris.Lutris");
    const auto database = flatpak ? lutrisDatabase(platform::join(sandbox, "data"), platform::join(sandbox, "config"))
                                  : lutrisDatabase(dataHome(), configHome());
    return lutris[flatpak] = database ? readLutrisGames(*database) : std::nullopt;
  }

  std::optional<std::map<std::string, Bottle>>& bottlesOf(bool flatpak) {
    if (const auto it = bottles.find(flatpak); it != bottles.end()) return it->second;
    const std::string base = flatpak ? platform::join(home, ".var/app/com.usebottles.bottles/data/bottles")
                                     : platform::join(dataHome(), "bottles");
    return bottles[flatpak] = readBottles(base);
  }
};

GameLibraries::GameLibraries() : data_(std::make_unique<Data>()) {}
GameLibraries::~GameLibraries() = default;

std::optional<std::string> GameLibraries::goneReason(const GameLauncher& launcher) {
  switch (launcher.manager) {
    case GameManager::lutris: {
      const std::optional<LutrisGames>& games = data_->lutrisGames(launcher.flatpak);
      if (!games) return std::nullopt;
      if (launcher.bySlug) {
        // Lutris finds such a game by id, slug or installer slug and starts it when installed.
        if (games->installedNames.contains(launcher.game)) return std::nullopt;
        if (games->names.contains(launcher.game)) return "Lutris no longer has game " + launcher.game + " installed";
        return "Lutris no longer has game " + launcher.game;
      }
      const auto game = games->installedById.find(launcher.game);
      if (game == games->installedById.end()) return "Lutris no longer has game " + launcher.game + " (" + launcher.slug + ")";
      // Lutris refuses to start a game that it keeps in its library uninstalled.
      if (!game->second) return "Lutris no longer has game " + launcher.game + " (" + launcher.slug + ") installed";
      return std::nullopt;
    }
    case GameManager::steam: {
      if (!data_->steam) data_->steam.emplace(data_->home);
      const std::optional<bool> held = data_->steam->holds(launcher.game);
      if (!held || *held) return std::nullopt;
      return "no Steam library holds app " + launcher.game;
    }
    case GameManager::bottles: {
      auto& bottles = data_->bottlesOf(launcher.flatpak);
      if (!bottles) return std::nullopt;
      const auto bottle = bottles->find(launcher.game);
      if (bottle == bottles->end()) return "bottle " + launcher.game + " is gone";
      Bottle& found = bottle->second;
      if (found.programs.contains(launcher.program)) return std::nullopt;
      if (!found.stemsRead) {
        found.fileStems = fileStemsBelow(platform::join(found.folder, "drive_c"));
        found.stemsRead = true;
      }
      if (!found.fileStems || found.fileStems->contains(lowered(launcher.program))) return std::nullopt;
      return "program " + launcher.program + " is gone from bottle " + launcher.game;
    }
  }
  return std::nullopt;
}

}  // namespace zendrift::profile::launchers
