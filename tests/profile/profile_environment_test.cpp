// The Wine profile's own environment: defaults of Wine's layout, registry overrides, expansion.
#include <gtest/gtest.h>

#include <string>

#include "profile/windows_profile.h"
#include "profile/wine_prefix.h"
#include "temp_dir.h"
#include "../platform/wine_prefix_builder.h"

namespace zendrift::profile {
namespace {

using testing::ScopedEnv;
using testing::TempDir;
using testing::WinePrefixBuilder;

class ProfileEnvironmentTest : public ::testing::Test {
 protected:
  ProfileEnvironmentTest()
      : prefix_(temp_.path() / "prefix"), scanned_(scannedProfile(prefix_.str())), user_("USER", "ann") {
    prefix_.link('c', "../drive_c");
  }

  TempDir temp_;
  WinePrefixBuilder prefix_;
  const ShortcutProfile scanned_;
  RegistryCache registries_;
  ScopedEnv user_;
};

TEST_F(ProfileEnvironmentTest, WineDefaultsWithoutRegistry) {
  struct Case {
    const char* text;
    const char* expanded;
  };
  const Case cases[] = {
      {"%USERPROFILE%", "C:\\users\\ann"},
      {"%userprofile%\\Desktop", "C:\\users\\ann\\Desktop"},
      {"%APPDATA%", "C:\\users\\ann\\AppData\\Roaming"},
      {"%LOCALAPPDATA%", "C:\\users\\ann\\AppData\\Local"},
      {"%TEMP%", "C:\\users\\ann\\AppData\\Local\\Temp"},
      {"%HOMEDRIVE%%HOMEPATH%", "C:\\users\\ann"},
      {"%USERNAME%", "ann"},
      {"%SystemRoot%\\system32", "C:\\windows\\system32"},
      {"%windir%", "C:\\windows"},
      {"%ProgramFiles%", "C:\\Program Files"},
      {"%CommonProgramFiles%", "C:\\Program Files\\Common Files"},
      {"%ProgramData%", "C:\\ProgramData"},
      {"%ALLUSERSPROFILE%", "C:\\ProgramData"},
      {"%PUBLIC%", "C:\\users\\Public"},
      {"no references", "no references"},
      {"100% sure", "100% sure"},
      {"%% stays", "%% stays"},
  };
  for (const Case& c : cases) EXPECT_EQ(expandProfileEnvironment(c.text, scanned_, registries_), c.expanded) << c.text;
  EXPECT_EQ(expandProfileEnvironment("%NO_SUCH_NAME%\\x", scanned_, registries_), std::nullopt);
  EXPECT_EQ(expandProfileEnvironment("%USERPROFILE%\\%NO_SUCH_NAME%", scanned_, registries_), std::nullopt);
}

TEST_F(ProfileEnvironmentTest, RegistryValuesOverrideAndReferEachOther) {
  prefix_.systemReg(
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1700000000\n"
      "\"ProgramFilesDir\"=\"D:\\\\Apps\"\n"
      "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1700000000\n"
      "\"SystemRoot\"=\"C:\\\\winnt\"\n"
      "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment] 1700000000\n"
      "\"windir\"=str(2):\"%SystemRoot%\"\n"
      "\"ToolsDir\"=str(2):\"%ProgramFiles%\\\\Tools\"\n");
  prefix_.userReg(
      "[Environment] 1700000000\n"
      "\"TEMP\"=str(2):\"%USERPROFILE%\\\\Temp\"\n"
      "\"Broken\"=str(2):\"%UNKNOWN%\\\\x\"\n"
      "\"APPDATA\"=\"C:\\\\stale\"\n"
      "[Volatile Environment] 1700000000\n"
      "\"USERNAME\"=\"root\"\n"
      "\"USERPROFILE\"=\"C:\\\\users\\\\root\"\n"
      "\"APPDATA\"=\"C:\\\\users\\\\root\\\\AppData\\\\Roaming\"\n"
      "\"SessionTool\"=\"%USERPROFILE%\\\\tool\"\n");
  EXPECT_EQ(expandProfileEnvironment("%ProgramFiles%", scanned_, registries_), "D:\\Apps");
  EXPECT_EQ(expandProfileEnvironment("%windir%", scanned_, registries_), "C:\\winnt");
  EXPECT_EQ(expandProfileEnvironment("%ToolsDir%", scanned_, registries_), "D:\\Apps\\Tools");
  // A prefix made by root, run by ann: wineboot rewrites the session's values for ann.
  EXPECT_EQ(expandProfileEnvironment("%USERNAME%", scanned_, registries_), "ann");
  EXPECT_EQ(expandProfileEnvironment("%APPDATA%", scanned_, registries_), "C:\\users\\ann\\AppData\\Roaming");
  EXPECT_EQ(expandProfileEnvironment("%SessionTool%", scanned_, registries_), "C:\\users\\ann\\tool");
  EXPECT_EQ(expandProfileEnvironment("%TEMP%", scanned_, registries_), "C:\\users\\ann\\Temp");
  EXPECT_EQ(expandProfileEnvironment("%Broken%", scanned_, registries_), std::nullopt);
}

TEST_F(ProfileEnvironmentTest, WineSuppliesTheComputerNameAtRunTime) {
  // The registry files never hold these: wineboot writes them into volatile keys at each start.
  prefix_.userReg("[Environment]\n\"COMPUTERNAME\"=\"stale\"\n");
  const std::string computer = wine::computerName();
  ASSERT_FALSE(computer.empty());
  EXPECT_LE(computer.size(), 15u);
  EXPECT_EQ(computer.find_first_of(".abcdefghijklmnopqrstuvwxyz"), std::string::npos) << computer;
  EXPECT_EQ(expandProfileEnvironment("%COMPUTERNAME%", scanned_, registries_), computer);
  EXPECT_EQ(expandProfileEnvironment("%USERDOMAIN%\\%USERNAME%", scanned_, registries_), computer + "\\ann");
  EXPECT_EQ(expandProfileEnvironment("%LOGONSERVER%", scanned_, registries_), "\\\\" + computer);
  EXPECT_EQ(expandProfileEnvironment("%SESSIONNAME%", scanned_, registries_), "Console");
}

TEST_F(ProfileEnvironmentTest, ChangedRegistryIsSeenAtTheNextRead) {
  prefix_.userReg("[Environment]\n\"TOOLS\"=\"C:\\\\first\"\n");
  EXPECT_EQ(expandProfileEnvironment("%TOOLS%", scanned_, registries_), "C:\\first");
  prefix_.userReg("[Environment]\n\"TOOLS\"=\"C:\\\\second place\"\n");
  EXPECT_EQ(expandProfileEnvironment("%TOOLS%", scanned_, registries_), "C:\\second place");
  // Same size, new content: the modification time tells.
  prefix_.userReg("[Environment]\n\"TOOLS\"=\"C:\\\\third place\"\n");
  EXPECT_EQ(expandProfileEnvironment("%TOOLS%", scanned_, registries_), "C:\\third place");
}

TEST_F(ProfileEnvironmentTest, DamagedRegistryFallsBackToDefaults) {
  for (const std::string& content : {std::string(), std::string("\0\0\xff\xfe\x01", 5),
                                     std::string(testing::kRegistryHeader) + "[Volatile Environment]\n\"USERPROFILE\"=\"C:\\\\us"}) {
    testing::writeFile(prefix_.path() / "user.reg", content);
    EXPECT_EQ(expandProfileEnvironment("%USERPROFILE%", scanned_, registries_), "C:\\users\\ann");
  }
}

TEST(ProfileEnvironmentWithoutPrefix, OnlyPlainTextExpands) {
  TempDir temp;
  for (const std::string& prefix : {(temp.path() / "absent").string(), std::string()}) {
    RegistryCache registries;
    EXPECT_EQ(expandProfileEnvironment("C:\\plain", scannedProfile(prefix), registries), "C:\\plain");
    EXPECT_EQ(expandProfileEnvironment("%USERPROFILE%", scannedProfile(prefix), registries), std::nullopt);
  }
}

}  // namespace
}  // namespace zendrift::profile
