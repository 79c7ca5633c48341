// Builds a large Wine-style prefix for the scan benchmark: a Start menu, a desktop and a user
// folder holding many folders and files, some of them real shortcuts, half of those orphans.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "lnk_builder.h"

namespace {

namespace fs = std::filesystem;
using zendrift::testing::LnkBuilder;

struct Options {
  fs::path prefix;
  std::string user = "bench";
  long files = 200000;
  long folders = 20000;
  long shortcuts = 5000;
  int depth = 8;
  unsigned seed = 6;
};

struct Folder {
  fs::path path;   // on the host
  int depth;       // 0 for a scanned root
};

void usage() {
  std::fprintf(stderr,
               "usage: make_scan_prefix PREFIX [--user NAME] [--files N] [--folders N] [--shortcuts N]\n"
               "                        [--depth N] [--seed N]\n"
               "Prints the scanned roots (Start menu, desktop, user folder), one a line.\n");
}

Options parse(int argc, char** argv) {
  if (argc < 2) {
    usage();
    std::exit(2);
  }
  Options options;
  options.prefix = argv[1];
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string_view name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--user") options.user = value;
    else if (name == "--files") options.files = std::atol(value);
    else if (name == "--folders") options.folders = std::atol(value);
    else if (name == "--shortcuts") options.shortcuts = std::atol(value);
    else if (name == "--depth") options.depth = std::atoi(value);
    else if (name == "--seed") options.seed = static_cast<unsigned>(std::atol(value));
    else {
      usage();
      std::exit(2);
    }
  }
  if (options.folders < 3 || options.shortcuts > options.files || options.depth < 1) {
    usage();
    std::exit(2);
  }
  return options;
}

void touch(const fs::path& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// A shortcut as the shell writes one: ID list, LinkInfo, a few strings.
void writeShortcut(const fs::path& path, const std::string& folder, const std::string& file, bool folderTarget) {
  const std::string target = "C:\\" + folder + (folderTarget ? "" : "\\" + file);
  LnkBuilder builder;
  builder.myComputer().volume("C:\\");
  for (std::size_t start = 0; start <= folder.size();) {
    const std::size_t end = std::min(folder.find('\\', start), folder.size());
    builder.fileEntry(folder.substr(start, end - start), true);
    start = end + 1;
  }
  if (!folderTarget) builder.fileEntry(file);
  builder.localPath(target)
      .name("Starts " + file)
      .workingDirectory("C:\\" + folder)
      .iconLocation(target)
      .writeTo(path);
}

}  // namespace

int main(int argc, char** argv) try {
  const Options options = parse(argc, argv);
  std::mt19937 random(options.seed);
  const auto below = [&random](long n) { return std::uniform_int_distribution<long>(0, n - 1)(random); };

  const fs::path driveC = options.prefix / "drive_c";
  const fs::path home = driveC / "users" / options.user;
  const fs::path windows = home / "AppData/Roaming/Microsoft/Windows";
  fs::create_directories(options.prefix / "dosdevices");
  // Registry files make it a Wine prefix; with their values missing, Wine's default layout holds.
  for (const char* hive : {"system.reg", "user.reg"}) {
    if (!fs::exists(options.prefix / hive)) std::ofstream(options.prefix / hive) << "WINE REGISTRY Version 2\n";
  }
  for (const auto& [name, target] : {std::pair{"c:", "../drive_c"}, std::pair{"z:", "/"}}) {
    const fs::path link = options.prefix / "dosdevices" / name;
    fs::remove(link);
    fs::create_symlink(target, link);
  }
  for (const fs::path& folder :
       {home / "Favorites", windows / "Recent", home / "AppData/Local/Microsoft/Windows/History",
        driveC / "users/Public/Desktop", driveC / "ProgramData/Microsoft/Windows/Start Menu/Programs",
        driveC / "Program Files/Common Files", driveC / "windows/system32"}) {
    fs::create_directories(folder);
  }

  // The scanned roots, weighted: the Start menu and the user folder hold most of the tree.
  const std::vector<fs::path> roots{windows / "Start Menu", home / "Desktop", home / "Files"};
  const std::vector<int> weights{4, 2, 4};
  std::vector<Folder> folders;
  for (const fs::path& root : roots) {
    fs::create_directories(root);
    folders.push_back({root, 0});
  }
  fs::create_directories(roots[0] / "Programs");
  folders.push_back({roots[0] / "Programs", 1});
  std::discrete_distribution<int> pickRoot(weights.begin(), weights.end());
  // A new folder goes below a random folder of the same root, moved up a level or two now and
  // then so that the tree grows broad as well as deep.
  std::vector<std::vector<std::size_t>> byRoot(roots.size());
  for (std::size_t i = 0; i < folders.size(); ++i) byRoot[i < roots.size() ? i : 0].push_back(i);
  std::vector<std::size_t> parentOf(folders.size(), 0);
  for (std::size_t i = 0; i < folders.size(); ++i) parentOf[i] = i < roots.size() ? i : 0;
  while (static_cast<long>(folders.size()) < options.folders) {
    const auto& pool = byRoot[static_cast<std::size_t>(pickRoot(random))];
    std::size_t parent = pool[static_cast<std::size_t>(below(static_cast<long>(pool.size())))];
    for (long up = below(3); up > 0 && folders[parent].depth > 0; --up) parent = parentOf[parent];
    if (folders[parent].depth >= options.depth) continue;
    const std::size_t index = folders.size();
    const std::string name = (index % 7 == 0 ? "Folder " : "app_") + std::to_string(index);
    fs::create_directory(folders[parent].path / name);
    folders.push_back({folders[parent].path / name, folders[parent].depth + 1});
    parentOf.push_back(parent);
    std::size_t root = parent;
    while (folders[root].depth > 0) root = parentOf[root];
    byRoot[root].push_back(index);
  }

  // Targets of the live shortcuts exist in drive_c; the orphans point at files missing from an
  // existing folder or below a folder that is gone.
  static constexpr std::string_view kExtensions[] = {".txt", ".ini", ".url", ".exe", ".dll", ".png", ".lnk.bak", ".htm"};
  long shortcutsMade = 0;
  long orphans = 0;
  for (long i = 0; i < options.files; ++i) {
    const Folder& folder = folders[static_cast<std::size_t>(below(static_cast<long>(folders.size())))];
    // Every (files / shortcuts)-th file is a shortcut.
    const bool isShortcut = shortcutsMade < options.shortcuts && i % (options.files / options.shortcuts) == 0;
    if (!isShortcut) {
      touch(folder.path / ("file" + std::to_string(i) + std::string(kExtensions[i % 8])), "");
      continue;
    }
    const bool orphan = shortcutsMade % 2 == 1;
    const bool folderTarget = shortcutsMade % 10 == 4;
    // A live shortcut and the orphan after it share a game folder.
    const std::string game = "Game" + std::to_string((shortcutsMade / 2) % 200);
    const std::string file = "game" + std::to_string(shortcutsMade) + ".exe";
    std::string targetFolder = "Games\\" + game;
    if (orphan) {
      targetFolder = shortcutsMade % 4 == 1 ? "Games\\" + game : "Removed\\" + game;
    } else {
      fs::create_directories(driveC / "Games" / game);
      if (!folderTarget) touch(driveC / "Games" / game / file, "MZ");
    }
    const std::string linkName = "Shortcut " + std::to_string(shortcutsMade) + (shortcutsMade % 50 == 3 ? ".LNK" : ".lnk");
    writeShortcut(folder.path / linkName, targetFolder, file, folderTarget);
    ++shortcutsMade;
    if (orphan) ++orphans;
  }

  for (const fs::path& root : roots) std::printf("%s\n", root.c_str());
  std::fprintf(stderr, "%zu folders, %ld files, %ld shortcuts, %ld orphans\n", folders.size(), options.files,
               shortcutsMade, orphans);
  return 0;
} catch (const std::exception& error) {
  std::fprintf(stderr, "make_scan_prefix: %s\n", error.what());
  return 1;
}
