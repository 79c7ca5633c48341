// ScanOptions: every choice the user makes about a scan, and the window's last bounds.
#pragma once

#include <cstdint>
#include <string>

namespace zendrift::settings {

struct ScanOptions {
  bool startMenu = false;
  bool allUsersStartMenu = false;
  bool desktop = false;
  bool allUsersDeskTop = false;
  bool favorites = false;
  bool history = false;
  bool recent = false;
  bool tempPath = false;
  bool applicationData = false;
  bool programFiles = false;
  std::string userDir;
  // The Wine prefix to scan; empty for $WINEPREFIX, else ~/.wine. With allPrefixes, every prefix
  // found on the machine, one after another. Neither means anything on Windows.
  std::string prefix;
  bool allPrefixes = false;
  bool removableDrives = false;
  bool networkDrives = false;
  bool ramDrives = false;
  bool cdRomDrives = false;
  std::string excludeList;
  std::int32_t top = 0;
  std::int32_t left = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  // Deleted shortcuts go for good instead of to the trash.
  bool deletePermanently = false;

  friend bool operator==(const ScanOptions&, const ScanOptions&) = default;
};

}  // namespace zendrift::settings
