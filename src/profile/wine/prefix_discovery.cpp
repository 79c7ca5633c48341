// Finding the Wine prefixes of the usual tools in a home folder: fixed places, Lutris's game
// files, and Steam's library list and app manifests. Whatever cannot be read is passed over.
#include "profile/prefix_discovery.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <unordered_set>

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"
#include "profile/wine/valve_key_values.h"
#include "profile/wine/yaml_scalar.h"
#include "profile/wine_prefix.h"

namespace zendrift::profile {

namespace {

// Steam's and Lutris's own files are small; anything far larger is not theirs.
constexpr std::size_t kMaxConfigBytes = 4u << 20;

std::string lastName(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const std::size_t slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string realPath(const std::string& path) {
  char buffer[PATH_MAX];
  return ::realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

// The names in `folder` that are folders (links to folders too), sorted; none when unreadable.
std::vector<std::string> subfolders(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kindError;
    if (it->is_directory(kindError)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The names in `folder` that end with `suffix`, sorted.
std::vector<std::string> filesEndingWith(const std::string& folder, std::string_view suffix) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (name.size() > suffix.size() && name.ends_with(suffix)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<wine::KeyValues> readKeyValues(const std::string& path) {
  const auto text = platform::readFile(path, kMaxConfigBytes);
  if (!text) return std::nullopt;
  return wine::parseKeyValues(*text);
}

// Lutris names its game files "<slug>-<seconds>.yml"; the slug is the game's short name.
std::string lutrisSlug(std::string_view fileName) {
  std::string_view stem = fileName.substr(0, fileName.size() - 4);
  const std::size_t dash = stem.find_last_of('-');
  if (dash != std::string_view::npos && dash + 1 < stem.size() &&
      stem.find_first_not_of("0123456789", dash + 1) == std::string_view::npos) {
    stem = stem.substr(0, dash);
  }
  return std::string(stem);
}

class Discovery {
 public:
  explicit Discovery(const PrefixPlaces& places) : home_(places.home) {
    if (!places.winePrefix.empty()) offer("wine", places.winePrefix, lastName(places.winePrefix));
    if (!home_.empty()) offer("wine", platform::join(home_, ".wine"), ".wine");
    toolStart_ = found_.size();  // the one that $WINEPREFIX names comes first
    if (home_.empty()) return;
    offerEach("winetricks", platform::join(home_, ".local/share/wineprefixes"));
    finishTool();
    lutris();
    finishTool();
    offerBottles(platform::join(home_, ".local/share/bottles/bottles"));
    offerBottles(platform::join(home_, ".var/app/com.usebottles.bottles/data/bottles/bottles"));
    finishTool();
    proton();
    finishTool();
    offerEach("playonlinux", platform::join(home_, ".PlayOnLinux/wineprefix"));
    finishTool();
  }

  std::vector<FoundPrefix> take() && { return std::move(found_); }

 private:
  // A prefix once, by its real path; the first route to it names it.
  void offer(std::string_view kind, const std::string& folder, std::string name) {
    if (!wine::isWinePrefix(folder)) return;
    std::string real = realPath(folder);
    if (real.empty() || !seen_.insert(real).second) return;
    found_.push_back({std::string(kind), std::move(real), std::move(name)});
  }

  void offerEach(std::string_view kind, const std::string& folder) {
    for (const std::string& name : subfolders(folder)) offer(kind, platform::join(folder, name), name);
  }

  // Each tool's prefixes are listed by path.
  void finishTool() {
    std::sort(found_.begin() + static_cast<std::ptrdiff_t>(toolStart_), found_.end(),
              [](const FoundPrefix& a, const FoundPrefix& b) { return a.path < b.path; });
    toolStart_ = found_.size();
  }

  void lutris() {
    for (const char* games : {".config/lutris/games", ".local/share/lutris/games"}) {
      const std::string folder = platform::join(home_, games);
      for (const std::string& file : filesEndingWith(folder, ".yml")) {
        const auto text = platform::readFile(platform::join(folder, file), kMaxConfigBytes);
        if (!text) continue;
        auto prefix = wine::yamlScalar(*text, "game", "prefix");
        if (!prefix || prefix->empty()) continue;
        if (prefix->starts_with("~/")) prefix = platform::join(home_, prefix->substr(2));
        if (prefix->front() != '/') continue;
        offer("lutris", *prefix, lutrisSlug(file));
      }
    }
    offerEach("lutris", platform::join(home_, "Games"));
  }

  // A bottle's own file names it; the folder name is what Bottles made of that name.
  void offerBottles(const std::string& folder) {
    for (const std::string& name : subfolders(folder)) {
      const std::string bottle = platform::join(folder, name);
      std::string shown = name;
      if (const auto text = platform::readFile(platform::join(bottle, "bottle.yml"), kMaxConfigBytes)) {
        if (auto stated = wine::yamlScalar(*text, "", "Name"); stated && !stated->empty()) shown = std::move(*stated);
      }
      offer("bottles", bottle, std::move(shown));
    }
  }

  void proton() {
    // Steam's own folder is a library, and its library list names the others.
    std::vector<std::string> libraries;
    std::unordered_set<std::string> known;
    const auto addLibrary = [&](const std::string& folder) {
      std::string real = realPath(folder);
      if (!real.empty() && known.insert(real).second) libraries.push_back(std::move(real));
    };
    for (const char* root : {".steam/steam", ".local/share/Steam", ".var/app/com.valvesoftware.Steam/.local/share/Steam",
                             ".var/app/com.valvesoftware.Steam/data/Steam"}) {
      const std::string steam = platform::join(home_, root);
      addLibrary(steam);
      for (const char* list : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"}) {
        const auto folders = readKeyValues(platform::join(steam, list));
        const wine::KeyValues* entries = folders ? folders->child("libraryfolders") : nullptr;
        if (!entries) continue;
        for (const wine::KeyValues& entry : entries->children) {
          if (entry.block) {
            if (const wine::KeyValues* path = entry.child("path"); path && !path->value.empty()) addLibrary(path->value);
          } else if (!entry.key.empty() && entry.key.find_first_not_of("0123456789") == std::string::npos) {
            addLibrary(entry.value);  // the older list: "1" "/mnt/games/SteamLibrary"
          }
        }
      }
    }
    for (const std::string& library : libraries) {
      const std::string compatdata = platform::join(library, "steamapps/compatdata");
      for (const std::string& appId : subfolders(compatdata)) {
        const std::string prefix = platform::join(platform::join(compatdata, appId), "pfx");
        // A prefix is named only once it is known to be one: naming reads a manifest.
        if (wine::isWinePrefix(prefix)) offer("proton", prefix, gameName(appId, library, libraries));
      }
    }
  }

  // The game's name from its manifest: in the library that holds its prefix first, then in the
  // others (a game may be installed in one library and run with its prefix in another).
  static std::string gameName(const std::string& appId, const std::string& own, const std::vector<std::string>& libraries) {
    const std::string manifest = "steamapps/appmanifest_" + appId + ".acf";
    const auto nameIn = [&](const std::string& library) -> std::string {
      const auto state = readKeyValues(platform::join(library, manifest));
      const wine::KeyValues* app = state ? state->child("AppState") : nullptr;
      const wine::KeyValues* name = app ? app->child("name") : nullptr;
      return name && !name->block ? name->value : std::string();
    };
    if (std::string name = nameIn(own); !name.empty()) return name;
    for (const std::string& library : libraries) {
      if (library == own) continue;
      if (std::string name = nameIn(library); !name.empty()) return name;
    }
    return appId;
  }

  std::string home_;
  std::vector<FoundPrefix> found_;
  std::size_t toolStart_ = 0;
  std::unordered_set<std::string> seen_;
};

}  // namespace

PrefixPlaces hostPrefixPlaces() {
  PrefixPlaces places;
  places.home = platform::environmentVariable("HOME").value_or("");
  if (places.home.empty()) {
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) places.home = entry->pw_dir;
  }
  places.winePrefix = platform::environmentVariable("WINEPREFIX").value_or("");
  return places;
}

std::string defaultPrefix(const PrefixPlaces& places) {
  if (!places.winePrefix.empty()) return places.winePrefix;
  return places.home.empty() ? std::string() : platform::join(places.home, ".wine");
}

std::string realPrefixPath(const std::string& prefix) {
  std::string real = realPath(prefix);
  return real.empty() ? prefix : real;
}

std::vector<FoundPrefix> discoverPrefixes(const PrefixPlaces& places) { return Discovery(places).take(); }

}  // namespace zendrift::profile
