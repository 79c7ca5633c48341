// The 8.3 names Wine makes for long host names, against what Wine 8 itself printed for them
// (dir /x in a fresh prefix), and the matching of shortcut components written in that form.
#include <gtest/gtest.h>

#include <string_view>

#include "profile/wine/wine_short_name.h"

namespace zendrift::profile {
namespace {

struct Named {
  std::string_view longName;
  std::string_view shortName;  // as Wine printed it
};

// Valid 8.3 names have no short name of their own; Wine shows them as they are.
constexpr Named kWineShortNames[] = {
    {"ZdSuite", "ZdSuite"},
    {"zdsuite.txt", "zdsuite.txt"},
    {"x", "x"},
    {"a.b", "a.b"},
    {"x~y", "x~y"},
    {"Program Files", "PROG~FBU"},
    {"LongToolName.exe", "LONG~XVQ.EXE"},
    {"ABCDEFGHI", "ABCD~GDH"},
    {"12345678.1234", "1234~NUB.123"},
    {"data.jpeg", "DATA~HFE.JPE"},
    // Characters DOS refused, and dots other than the extension's, become '_'.
    {"my file.txt", "MY_F~QBX.TXT"},
    {"a b", "A_B~~GOE"},
    {" lead space", "_LEA~BKX"},
    {"abc+def", "ABC_~HLH"},
    {"semi;colon", "SEMI~Z04"},
    {"a.b.c.d", "A_B_~YUB.D"},
    {"a..b", "A_~~~TDW.B"},
    {"archive.tar.gz", "ARCH~5FB.GZ"},
    {"abc.", "ABC_~1ZY"},
    {"name.", "NAME~GGC"},
    // A leading dot never starts the extension.
    {".hidden", "_HID~45N"},
    {".txt", "_TXT~YSH"},
    {".config.json", "_CON~VC1.JSO"},
    {"..two dots", "_~~~~FEG.TWO"},
    // The hash ignores letter case, by Wine's own mapping of UTF-16 units.
    {"Long Name One.txt", "LONG~EQV.TXT"},
    {"LONG NAME ONE.TXT", "LONG~EQV.TXT"},
    {"ΑΒΓΔΕ.txt", "____~QRU.TXT"},
    {"αβγδε.txt", "____~QRU.TXT"},
    {"Ünïcödé Námé.txt", "_N_C~P2D.TXT"},
    {"Straße.doc", "STRA~2WO.DOC"},
    {"ПРИВЕТ мир.txt", "____~F3P.TXT"},
    {"日本語ファイル.txt", "____~D04.TXT"},
    {"İstanbul.txt", "_STA~LMG.TXT"},
    {"ǅungla.txt", "_UNG~3B2.TXT"},
    {"\u212A_212A", "__21~PHF"},  // KELVIN SIGN, which Wine does not lower
    {"\u1E9E_1E9E", "__1E~KMN"},  // CAPITAL SHARP S, likewise
    {"😀 smile.txt", "___S~S2E.TXT"},
    {"𐐀 deseret.txt", "___D~VIO.TXT"},  // outside the BMP: two units, neither lowered
    // Bytes that are not UTF-8 are hashed as U+FFFD, one per bad sequence.
    {"bad\xffname.txt", "BAD_~COP.TXT"},
    {"x\xed\xa0\x80y long", "X__Y~CCS"},
    {"ab\xc3", "AB_~~CFB"},
};

TEST(WineShortName, IsWhatWinePrinted) {
  for (const Named& named : kWineShortNames) {
    EXPECT_EQ(wineShortName(named.longName), named.shortName) << named.longName;
  }
}

TEST(WineShortName, MatchesComponentsInAnyCase) {
  for (const Named& named : kWineShortNames) {
    if (named.shortName == named.longName) {
      // Wine gives a valid 8.3 name no hashed alias; the name itself is matched elsewhere.
      EXPECT_FALSE(matchesWineShortName(named.longName, named.shortName)) << named.longName;
      continue;
    }
    EXPECT_TRUE(matchesWineShortName(named.longName, named.shortName)) << named.longName;
  }
  EXPECT_TRUE(matchesWineShortName("Program Files", "prog~fbu"));
  EXPECT_TRUE(matchesWineShortName("ToolBox Main.exe", "Tool~Qcy.Exe"));
  EXPECT_FALSE(matchesWineShortName("Program Files", "PROG~FBV"));
  EXPECT_FALSE(matchesWineShortName("Program Files", "PROGRA~1"));
  EXPECT_FALSE(matchesWineShortName("Program Files", "Program Files"));
  EXPECT_FALSE(matchesWineShortName("Program Files", "PROG~FBU.X"));
  EXPECT_FALSE(matchesWineShortName("LongToolName.exe", "LONG~XVQ"));
  EXPECT_FALSE(matchesWineShortName("Long Name One.txt", "LONG~EQV.TXT "));
  // Later Wine leaves dots out of the leading characters and passes over leading dots when it
  // looks for the extension; shortcuts written there keep that form.
  EXPECT_TRUE(matchesWineShortName("a.b.c.d", "ABC~~YUB.D"));
  EXPECT_TRUE(matchesWineShortName(".hidden", "HIDD~45N"));
  EXPECT_TRUE(matchesWineShortName("..two dots", "TWO_~FEG"));
}

}  // namespace
}  // namespace zendrift::profile
