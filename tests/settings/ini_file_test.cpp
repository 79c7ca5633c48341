// The INI file keeps every line it does not own and reads values as the profile services do.
#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "temp_dir.h"

namespace zendrift::settings {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

TEST(IniFile, MissingFileReadsNothingAndSavesOnlyWhatWasWritten) {
  TempDir dir;
  IniFile ini(dir / "none.ini");
  EXPECT_FALSE(ini.readString("Directories", "StartMenu"));
  EXPECT_EQ(ini.readString("Directories", "StartMenu", "dflt"), "dflt");
  ini.writeString("A", "k", "v");
  ini.writeString("B", "k", "w");
  ini.writeString("A", "second", "x");
  ASSERT_FALSE(ini.save());
  EXPECT_EQ(readFile(dir / "none.ini"), "[A]\nk=v\nsecond=x\n\n[B]\nk=w\n");
}

TEST(IniFile, WritingUpdatesOneLineAndKeepsForeignContentByteForByte) {
  TempDir dir;
  const std::string original =
      "; my notes\r\n"
      "[Other]\r\n"
      "Colour = blue \r\n"
      "\r\n"
      "[directories]\r\n"
      "startmenu = 0\r\n"
      "Hand=made\r\n"
      "\r\n"
      "[Form]\r\n"
      "Top=5";  // no line end at the end of the file
  writeFile(dir / "s.ini", original);
  IniFile ini(dir / "s.ini");
  ini.writeString("Directories", "StartMenu", "1");
  ini.writeString("Directories", "Desktop", "0");
  ini.writeString("Form", "Left", "7");
  ini.writeString("Exclude", "ExcludeList", "a, ");
  ASSERT_FALSE(ini.save());
  EXPECT_EQ(readFile(dir / "s.ini"),
            "; my notes\r\n"
            "[Other]\r\n"
            "Colour = blue \r\n"
            "\r\n"
            "[directories]\r\n"
            "startmenu=1\r\n"
            "Hand=made\r\n"
            "Desktop=0\r\n"
            "\r\n"
            "[Form]\r\n"
            "Top=5\r\n"
            "Left=7\r\n"
            "\r\n"
            "[Exclude]\r\n"
            "ExcludeList=a, \r\n");
}

TEST(IniFile, ReadsTheFirstOfRepeatedSectionsAndKeysAndWritesThatOne) {
  TempDir dir;
  writeFile(dir / "r.ini", "[S]\nk=first\nk=second\n[T]\nk=t\n[S]\nk=third\nonly=later\n");
  IniFile ini(dir / "r.ini");
  EXPECT_EQ(ini.readString("S", "k"), "first");
  EXPECT_EQ(ini.readString("s", "K"), "first");
  EXPECT_EQ(ini.readString("S", "only"), "later");
  ini.writeString("S", "k", "new");
  ini.writeString("S", "only", "changed");
  EXPECT_EQ(ini.content(), "[S]\nk=new\nk=second\n[T]\nk=t\n[S]\nk=third\nonly=changed\n");
}

TEST(IniFile, ValuesLoseBlanksAndEnclosingQuotesAndAreCutAt2047) {
  TempDir dir;
  const std::string longValue(3000, 'x');
  // A multi-byte character straddling the limit is not split.
  const std::string straddling = std::string(2046, 'y') + "\xC3\xA9" + "tail";
  writeFile(dir / "v.ini", "[S]\n a =  spaced  \nq=\"quoted\"\nhalf=\"open\nempty=\nlong=" + longValue +
                               "\nutf=" + straddling + "\ncomment;x=1\n;k=hidden\n");
  IniFile ini(dir / "v.ini");
  EXPECT_EQ(ini.readString("S", "a"), "spaced");
  EXPECT_EQ(ini.readString("S", "q"), "quoted");
  EXPECT_EQ(ini.readString("S", "half"), "\"open");
  EXPECT_EQ(ini.readString("S", "empty"), "");
  EXPECT_EQ(ini.readString("S", "long"), std::string(2047, 'x'));
  EXPECT_EQ(ini.readString("S", "utf"), std::string(2046, 'y'));
  EXPECT_EQ(ini.readString("S", "comment;x"), "1");
  EXPECT_FALSE(ini.readString("S", ";k"));
}

TEST(IniFile, LinesEndInCrLfOrCrAloneAndEachKeepsItsOwnEnd) {
  TempDir dir;
  // Written by an old Mac editor: CR alone, with one LF and one CRLF line slipped in.
  writeFile(dir / "cr.ini", "[Directories]\rStartMenu=0\rDesktop=0\n[Exclude]\r\nExcludeList=/a.lnk, \r\r[Form]\rTop=4");
  IniFile ini(dir / "cr.ini");
  EXPECT_EQ(ini.readString("Directories", "StartMenu"), "0");
  EXPECT_EQ(ini.readString("Directories", "Desktop"), "0");
  EXPECT_EQ(ini.readString("Exclude", "ExcludeList"), "/a.lnk,");
  EXPECT_EQ(ini.readString("Form", "Top"), "4");
  ini.writeString("Directories", "Recent", "1");
  ini.writeString("Form", "Top", "5");
  ini.writeString("Include", "RamDrives", "1");
  EXPECT_EQ(ini.content(),
            "[Directories]\rStartMenu=0\rDesktop=0\nRecent=1\r[Exclude]\r\nExcludeList=/a.lnk, \r\r[Form]\rTop=5\r"
            "\r[Include]\rRamDrives=1\r")
      << "new lines take the end most lines have";
}

TEST(IniFile, ValueWithLineBreaksCannotAddLines) {
  TempDir dir;
  IniFile ini(dir / "n.ini");
  ini.writeString("S", "k", "a\n[Evil]\r\nx=1");
  ASSERT_FALSE(ini.save());
  const IniFile back(dir / "n.ini");
  EXPECT_EQ(back.readString("S", "k"), "a [Evil]  x=1");
  EXPECT_FALSE(back.readString("Evil", "x"));
}

TEST(IniFile, GarbageAndHugeLinesNeitherCrashNorGetLost) {
  TempDir dir;
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 151 + 7) % 256);
  const std::string megabyteLine(1 << 20, 'm');
  const std::string original = garbage + "\n" + megabyteLine + "\n[S]\nk=1\n";
  writeFile(dir / "g.ini", original);
  IniFile ini(dir / "g.ini");
  EXPECT_EQ(ini.readString("S", "k"), "1");
  ini.writeString("S", "k", "2");
  ASSERT_FALSE(ini.save());
  std::string expected = original;
  expected.replace(expected.size() - 2, 1, "2");
  EXPECT_EQ(readFile(dir / "g.ini"), expected);
}

TEST(IniFile, SaveThatCannotWriteReportsFailureAndKeepsTheOldFile) {
  TempDir dir;
  writeFile(dir / "s.ini", "[S]\nk=old\n");
  // A file standing where a folder should be stops every writer, root included.
  writeFile(dir / "blocker", "");
  IniFile blocked(dir / "blocker/s.ini");
  blocked.writeString("S", "k", "new");
  EXPECT_TRUE(blocked.save());
  EXPECT_TRUE(IniFile("").save());

  // A folder in place of the file itself: the rename cannot replace it.
  std::filesystem::create_directories(dir.path() / "isdir.ini/inner");
  IniFile onFolder(dir / "isdir.ini");
  onFolder.writeString("S", "k", "new");
  EXPECT_TRUE(onFolder.save());
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "isdir.ini/inner"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 3)
      << "no temporary file is left behind";
}

}  // namespace
}  // namespace zendrift::settings
