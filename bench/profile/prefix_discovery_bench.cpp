// Measures prefix discovery over a home folder laid out as on a gamer's machine: 200 Proton
// prefixes in two Steam libraries, each named by its app manifest, and 50 prefixes of the other
// tools (winetricks, Lutris with its game files, Bottles, PlayOnLinux). Each Proton prefix's desktop
// holds two shortcuts, one of them an orphan, for run_prefixes.sh's /allprefixes comparison; the
// other tools' prefixes and ~/.wine share the home's Desktop, as wineboot links it, which holds
// shortcuts that work in ~/.wine only and shortcuts that work nowhere.
// usage: prefix_discovery_bench HOME [ROUNDS]   (HOME is made when it holds no stamp)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lnk_builder.h"
#include "profile/prefix_discovery.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kProton = 200;
constexpr int kEachOtherTool = 10;  // five other kinds: 50 in all
constexpr std::size_t kExpected = kProton + 5 * kEachOtherTool + 1;  // and ~/.wine

void writeText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

constexpr int kSharedShortcuts = 20;  // on the shared Desktop: half work in ~/.wine, half nowhere

// A prefix as wineboot makes it; `sharedDesktop`, when given, is the home's Desktop its own
// Desktop links to.
void makePrefix(const fs::path& prefix, const fs::path& sharedDesktop = {}) {
  writeText(prefix / "system.reg", "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n");
  writeText(prefix / "user.reg", "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n");
  fs::create_directories(prefix / "dosdevices");
  fs::create_directories(prefix / "drive_c/Games/Real");
  writeText(prefix / "drive_c/Games/Real/real.exe", "x");
  fs::create_symlink("../drive_c", prefix / "dosdevices/c:");
  const fs::path desktop = prefix / "drive_c/users/bench/Desktop";
  if (!sharedDesktop.empty()) {
    fs::create_directories(desktop.parent_path());
    fs::create_symlink(sharedDesktop, desktop);
    return;
  }
  fs::create_directories(desktop);
  zendrift::testing::LnkBuilder().localPath("C:\\Games\\Real\\real.exe").writeTo(desktop / "Real.lnk");
  zendrift::testing::LnkBuilder().localPath("C:\\Games\\Gone\\gone.exe").writeTo(desktop / "Gone.lnk");
}

void makeHome(const fs::path& home) {
  const fs::path shared = home / "Desktop";
  makePrefix(home / ".wine", shared);
  fs::create_directories(shared);
  fs::create_directories(home / ".wine/drive_c/Apps");
  for (int i = 0; i < kSharedShortcuts; ++i) {
    const std::string n = std::to_string(i);
    const std::string exe = "C:\\Apps\\app" + n + ".exe";
    if (i % 2 == 0) writeText(home / ".wine/drive_c/Apps" / ("app" + n + ".exe"), "x");
    zendrift::testing::LnkBuilder().localPath(exe).writeTo(shared / ("App " + n + ".lnk"));
  }
  const fs::path steam = home / ".local/share/Steam";
  const fs::path library = home / "SteamLibrary";
  writeText(steam / "steamapps/libraryfolders.vdf", "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam.string() +
                                                         "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library.string() +
                                                         "\"\n\t}\n}\n");
  fs::create_directories(home / ".steam");
  fs::create_symlink(steam, home / ".steam/steam");
  for (int i = 0; i < kProton; ++i) {
    const fs::path root = i % 2 == 0 ? steam : library;
    const std::string app = std::to_string(100000 + i);
    makePrefix(root / "steamapps/compatdata" / app / "pfx");
    writeText(root / "steamapps" / ("appmanifest_" + app + ".acf"),
              "\"AppState\"\n{\n\t\"appid\"\t\t\"" + app + "\"\n\t\"name\"\t\t\"Game " + app + "\"\n}\n");
  }
  for (int i = 0; i < kEachOtherTool; ++i) {
    const std::string n = std::to_string(i);
    makePrefix(home / ".local/share/wineprefixes" / ("tricks" + n), shared);
    makePrefix(home / "Games" / ("game" + n), shared);
    writeText(home / ".config/lutris/games" / ("game" + n + "-1700000000.yml"),
              "game:\n  exe: x.exe\n  prefix: " + (home / "Games" / ("game" + n)).string() + "\nwine:\n  version: 8\n");
    makePrefix(home / ".local/share/bottles/bottles" / ("Bottle" + n), shared);
    writeText(home / ".local/share/bottles/bottles" / ("Bottle" + n) / "bottle.yml", "Name: Bottle " + n + "\n");
    makePrefix(home / ".PlayOnLinux/wineprefix" / ("pol" + n), shared);
    makePrefix(home / ".var/app/com.usebottles.bottles/data/bottles/bottles" / ("Flat" + n), shared);
  }
}

// The layout's version: a home made by an older bench is made again.
constexpr const char* kLayout = "2 shared desktop\n";

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: prefix_discovery_bench HOME [ROUNDS]\n");
    return 2;
  }
  const fs::path home = fs::absolute(argv[1]);
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
  if (!fs::exists(home / ".made") || readText(home / ".made") != kLayout) {
    fs::remove_all(home);
    makeHome(home);
    writeText(home / ".made", kLayout);
  }
  const zendrift::profile::PrefixPlaces places{home.string(), ""};

  const auto coldStart = Clock::now();
  const std::size_t found = zendrift::profile::discoverPrefixes(places).size();
  const double first = milliseconds(Clock::now() - coldStart);
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    if (zendrift::profile::discoverPrefixes(places).size() != found) return 1;
    times.push_back(milliseconds(Clock::now() - start));
  }
  std::sort(times.begin(), times.end());
  std::printf("prefixes found: %zu (expected %zu)\n", found, kExpected);
  std::printf("first discovery: %.2f ms\nwarm discovery: median %.2f ms, best %.2f ms, worst %.2f ms over %d rounds\n", first,
              times[times.size() / 2], times.front(), times.back(), rounds);
  return found == kExpected ? 0 : 1;
}
