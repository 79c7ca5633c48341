// zendrift.exe on the cases where the Windows build used to lose working shortcuts or settings:
// "\\?\" targets, one broken special folder, and a shortcut that is a Unix symbolic link.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_output.h"
#include "lnk_builder.h"
#include "platform/file_system.h"
#include "profile/windows_profile.h"
#include "platform/win32/win32_text.h"
#include "temp_dir.h"
#include "win32_test_support.h"
#include "windows_program_run.h"

namespace zendrift::testing {
namespace {

using win32::kOnlyUserFolder;
using win32::parseList;
using win32::SettingsFileGuard;

std::vector<std::string> pathsOf(const std::vector<win32::ListedOrphan>& orphans) {
  std::vector<std::string> paths;
  for (const auto& orphan : orphans) paths.push_back(orphan.path);
  return paths;
}

// A value of the user's registry set for the test and put back afterwards.
class ScopedUserValue {
 public:
  ScopedUserValue(const wchar_t* key, const wchar_t* name, DWORD type, const std::wstring& value) : name_(name) {
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot open a registry key");
    }
    DWORD size = 0;
    if (::RegQueryValueExW(key_, name, nullptr, &oldType_, nullptr, &size) == ERROR_SUCCESS) {
      old_.resize(size);
      had_ = ::RegQueryValueExW(key_, name, nullptr, &oldType_, old_.data(), &size) == ERROR_SUCCESS;
    }
    ::RegSetValueExW(key_, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  ~ScopedUserValue() {
    if (had_) {
      ::RegSetValueExW(key_, name_.c_str(), 0, oldType_, old_.data(), static_cast<DWORD>(old_.size()));
    } else {
      ::RegDeleteValueW(key_, name_.c_str());
    }
    ::RegCloseKey(key_);
  }
  ScopedUserValue(const ScopedUserValue&) = delete;
  ScopedUserValue& operator=(const ScopedUserValue&) = delete;

 private:
  HKEY key_ = nullptr;
  std::wstring name_;
  bool had_ = false;
  DWORD oldType_ = 0;
  std::vector<BYTE> old_;
};

TEST(WindowsSafety, DeviceFormTargetsThatExistAreNoOrphans) {
  TempDir root;
  SettingsFileGuard settings(kOnlyUserFolder);
  writeFile(root.path() / "Targets" / "live.exe", "x");
  const std::string targets = root / "Targets";
  const std::string links = root / "Links";
  LnkBuilder().localPath("\\\\?\\" + targets + "\\live.exe").writeTo(links + "\\device live.lnk");
  LnkBuilder().localPath("\\\\?\\" + targets + "\\gone.exe").writeTo(links + "\\device gone.lnk");
  // Elsewhere "?" stays a wildcard that names no file.
  LnkBuilder().localPath(targets + "\\liv?.exe").writeTo(links + "\\wildcard.lnk");

  // A network share reached through the device form: Wine serves \\server\share from the
  // prefix's dosdevices/unc folder.
  const std::string dosDevices = [] {
    std::string c = win32::hostPath(L"C:\\");
    while (!c.empty() && c.back() == '/') c.pop_back();
    return c.size() > 3 && c.ends_with("/c:") ? c.substr(0, c.size() - 2) : std::string();
  }();
  const bool share = !dosDevices.empty() &&
                     win32::runHostProgram({"/bin/mkdir", "-p", dosDevices + "unc/zdserver"}) &&
                     win32::runHostProgram({"/bin/ln", "-sfn", win32::hostPath(platform::win32::toWide(targets)),
                                            dosDevices + "unc/zdserver/zdshare"});
  if (win32::underWine()) {
    ASSERT_TRUE(share) << "no share under " << dosDevices;
  }
  if (share) {
    LnkBuilder().localPath("\\\\?\\UNC\\zdserver\\zdshare\\live.exe").writeTo(links + "\\share live.lnk");
    LnkBuilder().localPath("\\\\?\\UNC\\zdserver\\zdshare\\gone.exe").writeTo(links + "\\share gone.lnk");
  }

  const auto result = win32::runProgram(win32::zendriftExecutable(), {"/list", "/userdir", links});
  if (share) {
    win32::runHostProgram({"/bin/rm", "-rf", dosDevices + "unc/zdserver"});
    win32::runHostProgram({"/bin/rmdir", "--ignore-fail-on-non-empty", dosDevices + "unc"});
  }
  EXPECT_EQ(result.exitCode, 0u) << result.err;
  std::vector<std::string> expected = {links + "\\device gone.lnk", links + "\\wildcard.lnk"};
  if (share) expected.insert(expected.begin() + 1, links + "\\share gone.lnk");
  EXPECT_EQ(pathsOf(parseList(result.out)), expected) << result.out;
}

TEST(WindowsSafety, OneBrokenSpecialFolderLeavesTheOthersAndTheSettings) {
  TempDir root;
  const std::string programs = platform::specialFolderPath(CSIDL_PROGRAMS);
  ASSERT_FALSE(programs.empty());
  const std::string folder = programs + "\\Zendrift safety test";
  LnkBuilder().localPath(root / "gone.exe").writeTo(folder + "\\gone.lnk");
  LnkBuilder().localPath(root / "gone.exe").writeTo(folder + "\\excluded.lnk");
  // Only the user's Start menu is scanned; the exclude list proves which settings file was read.
  SettingsFileGuard settings(
      "[Directories]\r\nStartMenu=1\r\nAllUsersStartMenu=0\r\nDesktop=1\r\nAllUsersDeskTop=0\r\nFavorites=0\r\n"
      "History=0\r\nProgramFiles=0\r\nTempPath=0\r\nApplicationData=0\r\nRecent=0\r\n[Exclude]\r\nExcludeList=" +
      folder + "\\excluded.lnk, \r\n");
  const std::string strayRoot = settings.path().substr(0, 3) + "Zendrift";
  ASSERT_FALSE(platform::folderExists(strayRoot));

  constexpr const wchar_t* kShellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  constexpr const wchar_t* kUserShellFolders =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  const ScopedUserValue user(kUserShellFolders, L"Desktop", REG_EXPAND_SZ, L"%ZD_NO_SUCH_VARIABLE%\\Desktop");
  const ScopedUserValue shell(kShellFolders, L"Desktop", REG_SZ, L"%ZD_NO_SUCH_VARIABLE%\\Desktop");
  ASSERT_EQ(platform::specialFolderPath(CSIDL_DESKTOPDIRECTORY), "") << "the Desktop is not broken";

  const auto result = win32::runProgram(win32::zendriftExecutable(), {"/list"});
  EXPECT_EQ(result.exitCode, 0u) << result.err;
  const auto orphans = parseList(result.out);
  std::vector<std::string> mine;
  for (const auto& orphan : orphans) {
    if (orphan.path.starts_with(folder)) mine.push_back((orphan.marked ? "x " : "- ") + orphan.path);
  }
  EXPECT_EQ(mine, (std::vector<std::string>{"- " + folder + "\\excluded.lnk", "x " + folder + "\\gone.lnk"}))
      << result.out << result.err;
  EXPECT_FALSE(platform::folderExists(strayRoot));
  for (const char* name : {"\\gone.lnk", "\\excluded.lnk"}) EXPECT_FALSE(platform::deleteFile(folder + name)) << name;
  EXPECT_FALSE(platform::removeFolder(folder));
}

TEST(WindowsSafety, ALinkedShortcutNeverTakesItsTargetAlong) {
  TempDir root;
  SettingsFileGuard settings(kOnlyUserFolder);
  const std::string links = root / "Links";
  const std::string outside = root / "Outside\\working.lnk";
  // The link's target is a shortcut itself, and an orphan by its content.
  LnkBuilder().localPath(root / "gone.exe").writeTo(outside);
  LnkBuilder().localPath(root / "gone.exe").writeTo(links + "\\plain.lnk");
  const win32::SymbolicLink link(platform::win32::toWide(links + "\\linked.lnk"), platform::win32::toWide(outside));
  if (!link.made()) GTEST_SKIP() << "symbolic links cannot be made here";
  const std::string content = readFile(outside);

  const auto listed = win32::runProgram(win32::zendriftExecutable(), {"/list", "/userdir", links});
  ASSERT_EQ(pathsOf(parseList(listed.out)), (std::vector<std::string>{links + "\\linked.lnk", links + "\\plain.lnk"}))
      << listed.out;

  const auto result = win32::runProgram(win32::zendriftExecutable(), {"/silent", "/userdir", links});
  EXPECT_EQ(readFile(outside), content);
  EXPECT_FALSE(platform::fileExists(links + "\\plain.lnk"));
  // Windows removes the link itself; under Wine it stays, and a failing run names it.
  if (result.exitCode != 0) {
    EXPECT_NE(result.err.find("linked.lnk"), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace zendrift::testing
