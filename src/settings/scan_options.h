// TIniRec: every choice the user makes about a scan, and the window's last bounds.
#pragma once

#include <cstdint>
#include <string>

namespace zendrift::settings {

struct TIniRec {
  bool StartMenu = false;
  bool AllUsersStartMenu = false;
  bool Desktop = false;
  bool AllUsersDeskTop = false;
  bool Favorites = false;
  bool History = false;
  bool Recent = false;
  bool TempPath = false;
  bool ApplicationData = false;
  bool ProgramFiles = false;
  std::string UserDir;
  bool RemovableDrives = false;
  bool NetworkDrives = false;
  bool RamDrives = false;
  bool CDRomDrives = false;
  std::string ExcludeList;
  std::int32_t Top = 0;
  std::int32_t Left = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;

  friend bool operator==(const TIniRec&, const TIniRec&) = default;
};

}  // namespace zendrift::settings
