// What /list prints of file names that hold control characters or bytes that are not UTF-8: one
// line per orphan that a terminal shows as written, and a JSON document in which no two names
// read the same.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "home_with_prefix.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class ListEscape : public HomeWithPrefix {};

TEST_F(ListEscape, ControlCharactersAndStrayBytesAreEscapedAndStayDistinct) {
  // ESC rewrites the screen, CR the line, U+009B (CSI) is a control as well; \xff and \xfe are
  // two names that are not UTF-8.
  for (const char* name : {"esc\x1b[2J.lnk", "cr\rx.lnk", "csi\xc2\x9b" "1m.lnk", "odd\xff.lnk", "odd\xfe.lnk"}) {
    shortcut(desktop() / name, "C:\\Gone\\gone.exe");
  }
  const std::string folder = desktop().string();

  const ProgramResult list = run({"/list", "/desktop"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  const std::vector<std::string> lines = outputLines(list.out);
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()),
            (std::set<std::string>{
                "x\t" + folder + "/esc\\x1b[2J.lnk\tC:\\\\Gone\\\\gone.exe",
                "x\t" + folder + "/cr\\x0dx.lnk\tC:\\\\Gone\\\\gone.exe",
                "x\t" + folder + "/csi\\xc2\\x9b1m.lnk\tC:\\\\Gone\\\\gone.exe",
                "x\t" + folder + "/odd\\xff.lnk\tC:\\\\Gone\\\\gone.exe",
                "x\t" + folder + "/odd\\xfe.lnk\tC:\\\\Gone\\\\gone.exe",
            }));

  const ProgramResult json = run({"/list", "/json", "/desktop"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  for (const char c : json.out) {
    const auto byte = static_cast<unsigned char>(c);
    EXPECT_TRUE(byte >= 0x20 || c == '\n') << "raw control " << int(byte);
  }
  for (const std::string name : {"esc\\u001b[2J.lnk", "cr\\rx.lnk", "csi\\u009b1m.lnk", "odd\\udcff.lnk",
                                 "odd\\udcfe.lnk"}) {
    EXPECT_NE(json.out.find("\"shortcut\": \"" + folder + "/" + name + "\""), std::string::npos) << name << json.out;
  }
  EXPECT_EQ(json.out.find("\xc2\x9b"), std::string::npos);
}

}  // namespace
}  // namespace zendrift::testing
