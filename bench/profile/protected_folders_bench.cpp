// Measures what the removal pays for every folder a deletion leaves empty: resolving the
// protected well-known folders over a Wine prefix whose user.reg is 2 MB. Also the first read
// (the registry parsed) and the existence test of a target, with and without matching case.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "profile/windows_profile.h"
#include "profile/well_known_folders.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using zendrift::profile::WellKnownFolders;

namespace {

constexpr std::size_t kUserRegBytes = 2u << 20;

void writeText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string bigUserReg() {
  std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n";
  text +=
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders] 1700000000\n"
      "\"Desktop\"=str(2):\"%USERPROFILE%\\\\Desktop\"\n"
      "\"Favorites\"=str(2):\"%USERPROFILE%\\\\Favorites\"\n"
      "\"AppData\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\"\n"
      "\"Start Menu\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\\\\Microsoft\\\\Windows\\\\Start Menu\"\n\n"
      "[Volatile Environment] 1700000000\n\"USERNAME\"=\"bench\"\n\"USERPROFILE\"=\"C:\\\\users\\\\bench\"\n\n";
  for (int key = 0; text.size() < kUserRegBytes; ++key) {
    text += "[Software\\\\Vendor\\\\Application\\\\Settings\\\\Group" + std::to_string(key) + "] 1700000000\n";
    text += "#time=1d9a1b2c3d4e5f6\n";
    text += "\"Name\"=\"Some value text number " + std::to_string(key) + "\"\n";
    text += "\"Path\"=str(2):\"%USERPROFILE%\\\\Documents\\\\File" + std::to_string(key) + ".txt\"\n";
    text += "\"Flags\"=dword:0000002a\n";
    text += "\"Blob\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10\n\n";
  }
  return text;
}

double microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

}  // namespace

int main() {
  char pattern[] = "/tmp/zendrift-bench-XXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  const fs::path root = pattern;
  const fs::path prefix = root / "prefix";
  const fs::path c = prefix / "drive_c";
  for (const char* folder :
       {"users/bench/Desktop", "users/bench/Favorites", "users/bench/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp",
        "users/bench/AppData/Roaming/Microsoft/Windows/Recent", "users/bench/AppData/Local/Microsoft/Windows/History",
        "users/Public/Desktop", "ProgramData/Microsoft/Windows/Start Menu", "Program Files/Game", "temp"}) {
    fs::create_directories(c / folder);
  }
  writeText(c / "Program Files/Game/game.exe", "x");
  fs::create_directories(prefix / "dosdevices");
  fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
  const std::string userReg = bigUserReg();
  writeText(prefix / "user.reg", userReg);
  writeText(prefix / "system.reg",
            "WINE REGISTRY Version 2\n\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1700000000\n"
            "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n");
  ::setenv("WINEPREFIX", prefix.c_str(), 1);
  ::setenv("TMP", (c / "temp").c_str(), 1);

  const zendrift::profile::ShortcutProfile scanned = zendrift::profile::scannedProfile(prefix.string());
  zendrift::profile::RegistryCache registries;
  const std::string userDir = (c / "users/bench/Desktop").string();
  std::size_t sink = 0;
  auto protectedFolders = [&] {
    const WellKnownFolders folders = zendrift::profile::wellKnownFolders(scanned);
    const std::string paths[] = {folders.startMenu, folders.commonStartmenu, folders.desktop,
                                 folders.commonDesktopDirectory, folders.favorites, folders.history,
                                 folders.programFiles, folders.temp, folders.appData, folders.recent,
                                 folders.startup, userDir};
    for (const std::string& path : paths) sink += path.size();
  };

  auto start = Clock::now();
  protectedFolders();
  const double first = microseconds(Clock::now() - start);

  constexpr int kRounds = 2000;
  double best = 1e30;
  start = Clock::now();
  for (int round = 0; round < kRounds; ++round) {
    const auto one = Clock::now();
    protectedFolders();
    best = std::min(best, microseconds(Clock::now() - one));
  }
  const double mean = microseconds(Clock::now() - start) / kRounds;

  // A changed user.reg is parsed again at the next read.
  writeText(prefix / "user.reg", userReg + "\n");
  start = Clock::now();
  protectedFolders();
  const double afterChange = microseconds(Clock::now() - start);

  constexpr int kProbes = 20000;
  start = Clock::now();
  for (int i = 0; i < kProbes; ++i) {
    sink += zendrift::profile::windowsFileExists("C:\\Program Files\\Game\\game.exe", scanned);
  }
  const double exact = microseconds(Clock::now() - start) / kProbes;
  start = Clock::now();
  for (int i = 0; i < kProbes; ++i) {
    sink += zendrift::profile::windowsFileExists("c:\\PROGRAM FILES\\game\\GAME.EXE", scanned);
  }
  const double blind = microseconds(Clock::now() - start) / kProbes;
  start = Clock::now();
  for (int i = 0; i < kProbes; ++i) sink += zendrift::profile::windowsDriveType("C:", scanned, registries);
  const double driveType = microseconds(Clock::now() - start) / kProbes;

  std::printf("user.reg size: %zu bytes\n", userReg.size());
  std::printf("twelve protected folders, first read (parses registry): %.1f us\n", first);
  std::printf("twelve protected folders, later reads: mean %.1f us, best %.1f us (%d rounds)\n", mean, best, kRounds);
  std::printf("twelve protected folders, after user.reg changed: %.1f us\n", afterChange);
  std::printf("file exists, exact case: %.2f us; wrong case: %.2f us\n", exact, blind);
  std::printf("drive type of C:: %.2f us\n", driveType);
  std::printf("(checksum %zu)\n", sink);

  fs::remove_all(root);
  return mean < 1000.0 ? 0 : 1;
}
