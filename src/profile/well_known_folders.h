// WellKnownFolders: the well-known folders as host paths, computed afresh at every read.
//
// Every accessor returns an empty string when its folder cannot be found. Paths carry no
// trailing delimiter unless trailingPathDelimiter is set; the host root "/" stays "/".
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "profile/folder_ids.h"
#include "profile/windows_profile.h"

namespace zendrift::sysfolders {

inline constexpr std::string_view kReadOnlyMessage = "This value is read-only and cannot be changed.";

// Raised when a folder accessor is assigned.
class ReadOnlyError : public std::runtime_error {
 public:
  ReadOnlyError() : std::runtime_error(std::string(kReadOnlyMessage)) {}
};

class WellKnownFolders {
 public:
  WellKnownFolders() = default;
  // The folders of `scanned` (on Linux a chosen Wine prefix) rather than the default profile's.
  explicit WellKnownFolders(platform::ShortcutProfile scanned) : scanned_(std::move(scanned)) {}

  bool readOnly() const noexcept { return readOnly_; }
  bool trailingPathDelimiter() const noexcept { return trailingPathDelimiter_; }
  void setTrailingPathDelimiter(bool value) noexcept { trailingPathDelimiter_ = value; }

  // The folder of a shell identifier (csidl::k*); empty when unknown or missing.
  std::string resolveFolder(std::int32_t csidl) const;

  // Computed without an identifier.
  std::string commonFiles() const;
  std::string current() const;
  std::string programFiles() const;
  std::string windows() const;
  std::string system() const;
  std::string temp() const;

  // Looked up by identifier.
  std::string desktop() const { return resolveFolder(csidl::kDesktop); }
  std::string programs() const { return resolveFolder(csidl::kPrograms); }
  std::string personal() const { return resolveFolder(csidl::kPersonal); }
  std::string favorites() const { return resolveFolder(csidl::kFavorites); }
  std::string startup() const { return resolveFolder(csidl::kStartup); }
  std::string recent() const { return resolveFolder(csidl::kRecent); }
  std::string sendTo() const { return resolveFolder(csidl::kSendTo); }
  std::string startMenu() const { return resolveFolder(csidl::kStartMenu); }
  std::string desktopDirectory() const { return resolveFolder(csidl::kDesktopDirectory); }
  std::string nethood() const { return resolveFolder(csidl::kNethood); }
  std::string fonts() const { return resolveFolder(csidl::kFonts); }
  std::string commonStartmenu() const { return resolveFolder(csidl::kCommonStartMenu); }
  std::string commonPrograms() const { return resolveFolder(csidl::kCommonPrograms); }
  std::string commonStartup() const { return resolveFolder(csidl::kCommonStartup); }
  std::string commonDesktopDirectory() const { return resolveFolder(csidl::kCommonDesktopDirectory); }
  std::string commonAppData() const { return resolveFolder(csidl::kCommonAppData); }
  std::string appData() const { return resolveFolder(csidl::kAppData); }
  std::string printhood() const { return resolveFolder(csidl::kPrinthood); }
  std::string commonFavorites() const { return resolveFolder(csidl::kCommonFavorites); }
  std::string templates() const { return resolveFolder(csidl::kTemplates); }
  std::string internetCache() const { return resolveFolder(csidl::kInternetCache); }
  std::string cookies() const { return resolveFolder(csidl::kCookies); }
  std::string history() const { return resolveFolder(csidl::kHistory); }
  std::string profile() const { return resolveFolder(csidl::kProfile); }

  // Every folder is read-only. Current alone would change the process's current folder, but
  // only while the read-only flag is clear, and nothing clears it.
  void setCommonFiles(std::string_view) const { reject(); }
  void setCurrent(std::string_view) const { reject(); }
  void setProgramFiles(std::string_view) const { reject(); }
  void setWindows(std::string_view) const { reject(); }
  void setSystem(std::string_view) const { reject(); }
  void setTemp(std::string_view) const { reject(); }
  void setDesktop(std::string_view) const { reject(); }
  void setPrograms(std::string_view) const { reject(); }
  void setPersonal(std::string_view) const { reject(); }
  void setFavorites(std::string_view) const { reject(); }
  void setStartup(std::string_view) const { reject(); }
  void setRecent(std::string_view) const { reject(); }
  void setSendTo(std::string_view) const { reject(); }
  void setStartMenu(std::string_view) const { reject(); }
  void setDesktopDirectory(std::string_view) const { reject(); }
  void setNethood(std::string_view) const { reject(); }
  void setFonts(std::string_view) const { reject(); }
  void setCommonStartmenu(std::string_view) const { reject(); }
  void setCommonPrograms(std::string_view) const { reject(); }
  void setCommonStartup(std::string_view) const { reject(); }
  void setCommonDesktopDirectory(std::string_view) const { reject(); }
  void setCommonAppData(std::string_view) const { reject(); }
  void setAppData(std::string_view) const { reject(); }
  void setPrinthood(std::string_view) const { reject(); }
  void setCommonFavorites(std::string_view) const { reject(); }
  void setTemplates(std::string_view) const { reject(); }
  void setInternetCache(std::string_view) const { reject(); }
  void setCookies(std::string_view) const { reject(); }
  void setHistory(std::string_view) const { reject(); }
  void setProfile(std::string_view) const { reject(); }

 private:
  [[noreturn]] static void reject() { throw ReadOnlyError(); }
  // The last step of every accessor: one trailing delimiter off, or one on.
  std::string finish(std::string_view path) const;

  platform::ShortcutProfile scanned_;
  bool readOnly_ = true;
  bool trailingPathDelimiter_ = false;
};

}  // namespace zendrift::sysfolders
