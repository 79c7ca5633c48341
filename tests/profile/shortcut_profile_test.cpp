// Which profile a folder roots, and what the scanned profile's trouble is, on real folder trees.
#include <gtest/gtest.h>

#include <filesystem>

#include "profile/windows_profile.h"
#include "temp_dir.h"
#include "../platform/wine_prefix_builder.h"

namespace zendrift::profile {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WinePrefixBuilder;

TEST(ShortcutProfile, PrefixesAndInstallationsAreRootsTheirInsidesAreNot) {
  TempDir temp;
  WinePrefixBuilder prefix(temp.path() / "prefix");
  prefix.standardLayout("ann");
  fs::create_directories(temp.path() / "vista/Windows/System32");
  fs::create_directories(temp.path() / "xp/WINDOWS/system32");
  fs::create_directories(temp.path() / "copied drive_c/windows/system32");
  fs::create_directories(temp.path() / "odd/wInDoWs/SYSTEM32");  // not a spelling Windows uses
  fs::create_directories(temp.path() / "half/dosdevices");       // no system.reg: no prefix
  const auto at = [&](std::string_view relative) { return profileRootedAt((temp.path() / relative).string()); };

  EXPECT_EQ(at("prefix"), (ShortcutProfile{ProfileKind::WinePrefix, prefix.str()}));
  EXPECT_EQ(at("prefix/"), (ShortcutProfile{ProfileKind::WinePrefix, prefix.str()}));
  EXPECT_EQ(at("vista"), (ShortcutProfile{ProfileKind::WindowsInstallation, temp / "vista"}));
  EXPECT_EQ(at("xp"), (ShortcutProfile{ProfileKind::WindowsInstallation, temp / "xp"}));
  EXPECT_EQ(at("copied drive_c"), (ShortcutProfile{ProfileKind::WindowsInstallation, temp / "copied drive_c"}));
  // The prefix's own C:, directly and through its drive link, belongs to the prefix.
  for (const char* inside : {"prefix/drive_c", "prefix/dosdevices/c:", "prefix/drive_c/users", "odd", "half", ""}) {
    EXPECT_EQ(at(inside), std::nullopt) << inside;
    EXPECT_FALSE(isProfileRoot((temp.path() / inside).string())) << inside;
  }
  EXPECT_TRUE(isProfileRoot(prefix.str()));
  EXPECT_TRUE(isProfileRoot(temp / "xp"));
}

TEST(ShortcutProfile, AnInstallationReachesOnlyItsOwnDrive) {
  TempDir temp;
  fs::create_directories(temp.path() / "win/Windows/System32");
  testing::writeFile(temp.path() / "win/Program Files/App/app.exe", "MZ");
  const ShortcutProfile win{ProfileKind::WindowsInstallation, temp / "win"};
  RegistryCache registries;
  EXPECT_TRUE(profileReaches("C:", win));
  EXPECT_TRUE(profileReaches("c:", win));
  EXPECT_FALSE(profileReaches("D:", win));
  EXPECT_FALSE(profileReaches("\\\\server\\share", win));
  EXPECT_TRUE(profileReaches("D:", ShortcutProfile{}));
  EXPECT_TRUE(windowsFileExists("c:\\PROGRAM FILES\\app\\App.exe", win));
  EXPECT_TRUE(windowsFolderExists("C:\\windows\\system32", win));
  EXPECT_FALSE(windowsFileExists("D:\\Program Files\\App\\app.exe", win));
  EXPECT_EQ(expandProfileEnvironment("%SystemRoot%\\notepad.exe", win, registries), "C:\\Windows\\notepad.exe");
  EXPECT_EQ(expandProfileEnvironment("%ProgramFiles%\\x", win, registries), std::nullopt) << "its registry is not read";
}

TEST(ShortcutProfile, ProfileProblemNamesWhatIsWrong) {
  TempDir temp;
  const ShortcutProfile home = scannedProfile(temp / ".wine");
  EXPECT_EQ(profileProblem(home, PrefixOrigin::home),
            "no Wine prefix: WINEPREFIX is not set and ~/.wine does not exist");
  EXPECT_EQ(profileProblem(scannedProfile(""), PrefixOrigin::home),
            "no Wine prefix: WINEPREFIX is not set and the home folder is not known");
  fs::create_directories(temp.path() / ".wine");
  EXPECT_EQ(profileProblem(home, PrefixOrigin::home),
            temp / ".wine" + " is not a Wine prefix (no system.reg or dosdevices)");
  WinePrefixBuilder(temp.path() / ".wine").standardLayout("ann");
  EXPECT_EQ(profileProblem(home, PrefixOrigin::home), std::nullopt);

  const std::string other = temp / "x";
  EXPECT_EQ(profileProblem(scannedProfile(other), PrefixOrigin::environment),
            other + " is not a Wine prefix (no system.reg or dosdevices)");
  EXPECT_EQ(profileProblem(scannedProfile(other), PrefixOrigin::chosen), other + " does not exist");
  WinePrefixBuilder(temp.path() / "x").standardLayout("ann");
  EXPECT_EQ(profileProblem(scannedProfile(other), PrefixOrigin::environment), std::nullopt);
}

}  // namespace
}  // namespace zendrift::profile
