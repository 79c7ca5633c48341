// Fields of the tab-separated lines: every byte comes back, and nothing a terminal acts on is
// written as it is.
#include <gtest/gtest.h>

#include <string>

#include "scan/field_escape.h"

namespace zendrift::scan {
namespace {

TEST(FieldEscape, ControlCharactersAndStrayBytesAreWrittenAsEscapesThatReadBack) {
  EXPECT_EQ(escapedField("a\tb\nc\\d"), "a\\tb\\nc\\\\d");
  EXPECT_EQ(escapedField("\x1b[2J\rx\x7f"), "\\x1b[2J\\x0dx\\x7f");
  // C1 controls as UTF-8 writes them (U+009B, CSI), and bytes that are no UTF-8: a lone byte, a
  // cut sequence, an overlong form.
  EXPECT_EQ(escapedField("a\xc2\x9b" "b"), "a\\xc2\\x9bb");
  EXPECT_EQ(escapedField("caf\xe9.lnk"), "caf\\xe9.lnk");
  EXPECT_EQ(escapedField("\xe2\x82"), "\\xe2\\x82");
  EXPECT_EQ(escapedField("\xc0\xaf"), "\\xc0\\xaf");
  // Printable text stays as it is, in any script.
  EXPECT_EQ(escapedField("Caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x8e\xae.lnk"),
            "Caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x8e\xae.lnk");

  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
  const std::string written = escapedField(everyByte + "\xc2\x85\xe2\x82\xac");
  for (const char c : written) {
    const auto byte = static_cast<unsigned char>(c);
    EXPECT_TRUE(byte >= 0x20 && byte != 0x7f) << "raw byte " << int(byte) << " in " << written;
  }
  EXPECT_EQ(unescapedField(written), everyByte + "\xc2\x85\xe2\x82\xac");
}

TEST(FieldEscape, FieldsWrittenBeforeStillReadAndBrokenEscapesDoNot) {
  // Records written before kept control characters and other bytes as they were.
  EXPECT_EQ(unescapedField("/home/ann/a\rb\x1b\xff.lnk"), "/home/ann/a\rb\x1b\xff.lnk");
  EXPECT_EQ(unescapedField("\\xC3\\xa9"), "\xc3\xa9");
  for (const char* broken : {"\\", "\\q", "\\x", "\\x4", "\\xg0", "a\\x0"}) {
    EXPECT_EQ(unescapedField(broken), std::nullopt) << broken;
  }
}

}  // namespace
}  // namespace zendrift::scan
