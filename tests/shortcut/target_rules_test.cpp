// Which stored data gives the target, and in what form, for links built in the test.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "lnk_builder.h"
#include "shortcut/parse_shortcut.h"

namespace zendrift::shortcut {
namespace {

using testing::LnkBuilder;

std::optional<std::string> expandKnown(std::string_view text) {
  std::string out(text);
  const std::string name = "%windir%";
  const auto at = out.find(name);
  if (at != std::string::npos) out.replace(at, name.size(), "C:\\windows");
  if (out.find('%') != std::string::npos) return std::nullopt;
  return out;
}

ShortcutInfo parse(const std::string& data, LinkDetails* details = nullptr) {
  ShortcutInfo info;
  ParseOptions options;
  options.expandEnvironment = &expandKnown;
  parseShortcut(data, info, options, details);
  return info;
}

LnkBuilder programPath() {
  LnkBuilder b;
  b.myComputer().volume("C:\\").fileEntry("Program Files", true).fileEntry("xt", true).fileEntry("xt.exe");
  return b;
}

struct RuleCase {
  const char* name;
  std::function<LnkBuilder()> link;
  std::string target;
  TargetSource source;
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class TargetRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(TargetRule, GivesTheStoredTarget) {
  const RuleCase& c = GetParam();
  const ShortcutInfo info = parse(c.link().build());
  EXPECT_EQ(info.target, c.target);
  EXPECT_EQ(info.source, c.source);
}

const RuleCase kRuleCases[] = {
    // A network location in LinkInfo comes first, in UNC form.
    {"UncOverIdList", [] { return programPath().networkPath("\\\\srv\\share", "dir\\f.txt").localPath("Z:\\", "dir\\f.txt"); },
     "\\\\srv\\share\\dir\\f.txt", TargetSource::Unc},
    {"UncNetNameEndingInBackslash", [] { return LnkBuilder().networkPath("\\\\srv\\share\\", "a.txt"); },
     "\\\\srv\\share\\a.txt", TargetSource::Unc},
    {"UncUnicodeForms", [] { return LnkBuilder().networkPath("\\\\srv\\Ünï", "dïr\\ß.txt", "Z:", true); },
     "\\\\srv\\Ünï\\dïr\\ß.txt", TargetSource::Unc},
    {"UncAnsiWestern", [] { return LnkBuilder().networkPath("\\\\srv\\d\xE9p\xF4t", "\x80.txt"); },
     "\\\\srv\\dépôt\\€.txt", TargetSource::Unc},
    {"UncBareShare", [] { return LnkBuilder().networkPath("\\\\srv\\share"); }, "\\\\srv\\share\\", TargetSource::Unc},
    // Then the path the ID list names.
    {"IdListFile", [] { return programPath().localPath("D:\\other.exe"); }, "C:\\Program Files\\xt\\xt.exe",
     TargetSource::IdList},
    {"IdListDriveRoot", [] { return LnkBuilder().myComputer().volume("E:\\"); }, "E:\\", TargetSource::IdList},
    {"IdListLongUnicodeNames",
     [] { return LnkBuilder().myComputer().volume("C:\\").fileEntry("Документы", true).fileEntry("日本語 file.txt"); },
     "C:\\Документы\\日本語 file.txt", TargetSource::IdList},
    {"IdListShortNameWithoutExtension",
     [] { return LnkBuilder().myComputer().volume("C:\\").plainFileEntry("PROGRA~1", true).plainFileEntry("caf\xE9.txt"); },
     "C:\\PROGRA~1\\café.txt", TargetSource::IdList},
    {"IdListNetworkPlaces",
     [] {
       return LnkBuilder().networkPlaces().networkLocation("\\\\srv").networkLocation("\\\\srv\\pub").fileEntry("doc.txt");
     },
     "\\\\srv\\pub\\doc.txt", TargetSource::IdList},
    // A shell object without a file-system path lets LinkInfo's local path speak.
    {"ShellObjectThenLocalPath",
     [] { return LnkBuilder().rootFolder(LnkBuilder::kControlPanel).localPath("C:\\base\\", "x.exe"); },
     "C:\\base\\x.exe", TargetSource::LocalPath},
    {"UnknownItemThenLocalPath",
     [] { return LnkBuilder().myComputer().volume("C:\\").rawItem(std::string("\x74\x1a\0\0", 4)).localPath("C:\\a.txt"); },
     "C:\\a.txt", TargetSource::LocalPath},
    {"ThisPcThenLocalPath", [] { return LnkBuilder().myComputer().localPath("C:\\a.txt"); }, "C:\\a.txt",
     TargetSource::LocalPath},
    {"LocalPathUnicode", [] { return LnkBuilder().localPath("C:\\Ελλάδα\\", "νερό.txt", true); },
     "C:\\Ελλάδα\\νερό.txt", TargetSource::LocalPath},
    {"ForcedNoLinkInfo", [] { return LnkBuilder().networkPath("\\\\srv\\share", "x").forceNoLinkInfo(); }, "",
     TargetSource::None},
    // Then the environment-variable block, expanded when every name is known.
    {"EnvBlockExpanded", [] { return LnkBuilder().environmentTarget("%windir%\\a.exe", "%windir%\\notepad.exe"); },
     "C:\\windows\\notepad.exe", TargetSource::EnvBlock},
    {"EnvBlockUnknownNameKept", [] { return LnkBuilder().environmentTarget("", "%windir%\\%NOPE%\\x.exe"); },
     "%windir%\\%NOPE%\\x.exe", TargetSource::EnvBlock},
    {"EnvBlockAnsiWhenNoUnicode", [] { return LnkBuilder().environmentTarget("%windir%\\b.exe", ""); },
     "C:\\windows\\b.exe", TargetSource::EnvBlock},
    {"EnvBlockAfterShellObject",
     [] { return LnkBuilder().rootFolder(LnkBuilder::kControlPanel).environmentTarget("", "%windir%\\c.exe"); },
     "C:\\windows\\c.exe", TargetSource::EnvBlock},
    // Otherwise nothing.
    {"ControlPanel", [] { return LnkBuilder().rootFolder(LnkBuilder::kControlPanel); }, "", TargetSource::None},
    {"DarwinOnly", [] { return LnkBuilder().darwinId("w_p8!!!!!!!!!!!!!!!!>KeyLink"); }, "", TargetSource::None},
    {"RelativePathOnly", [] { return LnkBuilder().relativePath("..\\x\\y.exe"); }, "", TargetSource::None},
    {"DesktopIdList", [] { return LnkBuilder().emptyIdList(); }, "", TargetSource::None},
    {"ServerWithoutShare", [] { return LnkBuilder().networkPlaces().networkLocation("\\\\srv"); }, "",
     TargetSource::None},
};

INSTANTIATE_TEST_SUITE_P(Rules, TargetRule, ::testing::ValuesIn(kRuleCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(TargetRule, PathsLongerThanMaxPathAreKeptWhole) {
  LnkBuilder b;
  b.myComputer().volume("C:\\");
  std::string expected = "C:\\";
  for (int i = 0; i < 8; ++i) {
    const std::string folder(60, static_cast<char>('a' + i));
    b.fileEntry(folder, true);
    expected += folder + "\\";
  }
  b.fileEntry("end.exe");
  expected += "end.exe";
  ASSERT_GT(expected.size(), 260u);
  EXPECT_EQ(parse(b.build()).target, expected);

  const std::string longSuffix(700, 's');
  EXPECT_EQ(parse(LnkBuilder().localPath("C:\\", longSuffix).build()).target, "C:\\" + longSuffix);
}

// Files that are not shell links, or are cut off before their target data, give no target.
TEST(TargetRule, NotAShellLinkGivesNoTarget) {
  const std::string good = programPath().networkPath("\\\\srv\\s", "x").arguments("-a").build();
  std::string wrongSize = good;
  wrongSize[0] = 0x4D;
  std::string wrongClass = good;
  wrongClass[19] = 0x47;
  const std::string header = good.substr(0, 0x4C);
  const std::size_t idListEnd = 0x4C + 2 + (static_cast<unsigned char>(good[0x4C]) | (static_cast<unsigned char>(good[0x4D]) << 8));
  for (const std::string& data : {std::string(), std::string("plain text, not a link\n"), wrongSize, wrongClass,
                                  header, good.substr(0, 0x4C + 1), good.substr(0, idListEnd - 1),
                                  good.substr(0, idListEnd + 6)}) {
    ShortcutInfo info;
    info.fileName = "kept.lnk";
    parseShortcut(data, info);
    EXPECT_EQ(info.target, "") << data.size();
    EXPECT_EQ(info.source, TargetSource::None);
    EXPECT_EQ(info.arguments, "");
    EXPECT_EQ(info.fileName, "kept.lnk");
  }
}

// A LinkInfo whose inner offsets point outside it is not trusted; the ID list still counts.
TEST(TargetRule, DamagedLinkInfoIsIgnored) {
  std::string data = programPath().networkPath("\\\\srv\\share", "x").build();
  const std::size_t idListEnd = 0x4C + 2 + (static_cast<unsigned char>(data[0x4C]) | (static_cast<unsigned char>(data[0x4D]) << 8));
  data[idListEnd + 0x14] = '\x7F';  // CommonNetworkRelativeLinkOffset far outside
  data[idListEnd + 0x15] = '\x7F';
  const ShortcutInfo info = parse(data);
  EXPECT_EQ(info.target, "C:\\Program Files\\xt\\xt.exe");
  EXPECT_EQ(info.source, TargetSource::IdList);
}

TEST(LinkDetails, LinkInfoAndExtraDataAreDecoded) {
  const std::string data = LnkBuilder()
                               .localPath("C:\\data\\", "f.txt")
                               .volumeLabel("DISK", 2, 0xCAFE0001)
                               .relativePath(".\\f.txt")
                               .environmentTarget("", "%windir%\\x")
                               .specialFolder(0x24, 0x10)
                               .knownFolder(LnkBuilder::kControlPanel, 0x10)
                               .unknownBlock(0xA0000099, 40)
                               .darwinId("prod>feature")
                               .build();
  LinkDetails details;
  const ShortcutInfo info = parse(data, &details);
  EXPECT_EQ(info.target, "C:\\data\\f.txt");
  EXPECT_EQ(details.localBasePath, "C:\\data\\");
  EXPECT_EQ(details.commonPathSuffix, "f.txt");
  EXPECT_EQ(details.volumeLabel, "DISK");
  EXPECT_EQ(details.driveType, 2u);
  EXPECT_EQ(details.driveSerialNumber, 0xCAFE0001u);
  EXPECT_EQ(details.relativePath, ".\\f.txt");
  EXPECT_EQ(details.environmentTarget, "%windir%\\x");
  EXPECT_EQ(details.specialFolderId, 0x24u);
  EXPECT_TRUE(details.hasKnownFolder);
  EXPECT_EQ(details.darwinId, "prod>feature");
}

TEST(LinkDetails, NetworkDeviceNameIsRead) {
  LinkDetails details;
  parse(LnkBuilder().networkPath("\\\\srv\\share", "a", "Z:", true).build(), &details);
  EXPECT_EQ(details.netName, "\\\\srv\\share");
  EXPECT_EQ(details.deviceName, "Z:");
}

}  // namespace
}  // namespace zendrift::shortcut
