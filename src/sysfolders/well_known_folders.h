// TJvSystemFolders: the well-known folders as host paths, computed afresh at every read.
//
// Every accessor returns an empty string when its folder cannot be found. Paths carry no
// trailing delimiter unless TrailingPathDelimiter is set; the host root "/" stays "/".
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sysfolders/folder_ids.h"

namespace zendrift::sysfolders {

inline constexpr std::string_view kReadOnlyMessage = "This value is read-only and cannot be changed.";

// Raised when a folder accessor is assigned.
class ReadOnlyError : public std::runtime_error {
 public:
  ReadOnlyError() : std::runtime_error(std::string(kReadOnlyMessage)) {}
};

class TJvSystemFolders {
 public:
  TJvSystemFolders() = default;

  bool ReadOnly() const noexcept { return readOnly_; }
  bool TrailingPathDelimiter() const noexcept { return trailingPathDelimiter_; }
  void SetTrailingPathDelimiter(bool value) noexcept { trailingPathDelimiter_ = value; }

  // The folder of a shell identifier (csidl::k*); empty when unknown or missing.
  std::string ResolveFolder(std::int32_t csidl) const;

  // Computed without an identifier.
  std::string CommonFiles() const;
  std::string Current() const;
  std::string ProgramFiles() const;
  std::string Windows() const;
  std::string System() const;
  std::string Temp() const;

  // Looked up by identifier.
  std::string Desktop() const { return ResolveFolder(csidl::kDesktop); }
  std::string Programs() const { return ResolveFolder(csidl::kPrograms); }
  std::string Personal() const { return ResolveFolder(csidl::kPersonal); }
  std::string Favorites() const { return ResolveFolder(csidl::kFavorites); }
  std::string Startup() const { return ResolveFolder(csidl::kStartup); }
  std::string Recent() const { return ResolveFolder(csidl::kRecent); }
  std::string SendTo() const { return ResolveFolder(csidl::kSendTo); }
  std::string StartMenu() const { return ResolveFolder(csidl::kStartMenu); }
  std::string DesktopDirectory() const { return ResolveFolder(csidl::kDesktopDirectory); }
  std::string Nethood() const { return ResolveFolder(csidl::kNethood); }
  std::string Fonts() const { return ResolveFolder(csidl::kFonts); }
  std::string CommonStartmenu() const { return ResolveFolder(csidl::kCommonStartMenu); }
  std::string CommonPrograms() const { return ResolveFolder(csidl::kCommonPrograms); }
  std::string CommonStartup() const { return ResolveFolder(csidl::kCommonStartup); }
  std::string CommonDesktopDirectory() const { return ResolveFolder(csidl::kCommonDesktopDirectory); }
  std::string CommonAppData() const { return ResolveFolder(csidl::kCommonAppData); }
  std::string AppData() const { return ResolveFolder(csidl::kAppData); }
  std::string Printhood() const { return ResolveFolder(csidl::kPrinthood); }
  std::string CommonFavorites() const { return ResolveFolder(csidl::kCommonFavorites); }
  std::string Templates() const { return ResolveFolder(csidl::kTemplates); }
  std::string InternetCache() const { return ResolveFolder(csidl::kInternetCache); }
  std::string Cookies() const { return ResolveFolder(csidl::kCookies); }
  std::string History() const { return ResolveFolder(csidl::kHistory); }
  std::string Profile() const { return ResolveFolder(csidl::kProfile); }

  // Every folder is read-only. Current alone would change the process's current folder, but
  // only while the read-only flag is clear, and nothing clears it.
  void SetCommonFiles(std::string_view) const { reject(); }
  void SetCurrent(std::string_view) const { reject(); }
  void SetProgramFiles(std::string_view) const { reject(); }
  void SetWindows(std::string_view) const { reject(); }
  void SetSystem(std::string_view) const { reject(); }
  void SetTemp(std::string_view) const { reject(); }
  void SetDesktop(std::string_view) const { reject(); }
  void SetPrograms(std::string_view) const { reject(); }
  void SetPersonal(std::string_view) const { reject(); }
  void SetFavorites(std::string_view) const { reject(); }
  void SetStartup(std::string_view) const { reject(); }
  void SetRecent(std::string_view) const { reject(); }
  void SetSendTo(std::string_view) const { reject(); }
  void SetStartMenu(std::string_view) const { reject(); }
  void SetDesktopDirectory(std::string_view) const { reject(); }
  void SetNethood(std::string_view) const { reject(); }
  void SetFonts(std::string_view) const { reject(); }
  void SetCommonStartmenu(std::string_view) const { reject(); }
  void SetCommonPrograms(std::string_view) const { reject(); }
  void SetCommonStartup(std::string_view) const { reject(); }
  void SetCommonDesktopDirectory(std::string_view) const { reject(); }
  void SetCommonAppData(std::string_view) const { reject(); }
  void SetAppData(std::string_view) const { reject(); }
  void SetPrinthood(std::string_view) const { reject(); }
  void SetCommonFavorites(std::string_view) const { reject(); }
  void SetTemplates(std::string_view) const { reject(); }
  void SetInternetCache(std::string_view) const { reject(); }
  void SetCookies(std::string_view) const { reject(); }
  void SetHistory(std::string_view) const { reject(); }
  void SetProfile(std::string_view) const { reject(); }

 private:
  [[noreturn]] static void reject() { throw ReadOnlyError(); }
  // The last step of every accessor: one trailing delimiter off, or one on.
  std::string finish(std::string_view path) const;

  bool readOnly_ = true;
  bool trailingPathDelimiter_ = false;
};

}  // namespace zendrift::sysfolders
