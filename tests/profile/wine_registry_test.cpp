// Wine's registry files: value forms, escapes, continuation lines, and damaged input.
#include <gtest/gtest.h>

#include <string>

#include "profile/wine_registry.h"

namespace zendrift::profile {
namespace {

const std::string kHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21\n\n#arch=win64\n\n";

std::optional<std::string> textAt(const RegistryFile& file, std::string_view key, std::string_view name) {
  const RegistryValue* value = file.value(key, name);
  if (!value) return std::nullopt;
  return registryText(*value);
}

TEST(WineRegistry, ReadsEveryValueForm) {
  const auto file = RegistryFile::parse(kHeader +
                                        "[Software\\\\Wine\\\\Drives] 1700000000\n"
                                        "#time=1d9a1b2c3d4e5f6\n"
                                        "\"d:\"=\"cdrom\"\n"
                                        "@=\"default text\"\n"
                                        "\"Expand\"=str(2):\"%USERPROFILE%\\\\Desktop\"\n"
                                        "\"Multi\"=str(7):\"a\\0b\\0\"\n"
                                        "\"Count\"=dword:0000002a\n"
                                        "\"Blob\"=hex:43,3a,5c,00\n"
                                        "\"Wide\"=hex(2):43,00,3a,00,5c,00,\\\n"
                                        "  77,00,00,00\n");
  ASSERT_NE(file.key("Software\\Wine\\Drives"), nullptr);
  EXPECT_EQ(textAt(file, "Software\\Wine\\Drives", "d:"), "cdrom");
  EXPECT_EQ(textAt(file, "Software\\Wine\\Drives", ""), "default text");

  const RegistryValue* expand = file.value("Software\\Wine\\Drives", "Expand");
  ASSERT_NE(expand, nullptr);
  EXPECT_EQ(expand->type, kRegExpandSz);
  EXPECT_EQ(registryText(*expand), "%USERPROFILE%\\Desktop");

  const RegistryValue* multi = file.value("Software\\Wine\\Drives", "Multi");
  ASSERT_NE(multi, nullptr);
  EXPECT_EQ(multi->type, kRegMultiSz);
  EXPECT_EQ(multi->data, std::string("a\0b\0", 4));
  EXPECT_EQ(registryText(*multi), std::nullopt);

  const RegistryValue* count = file.value("Software\\Wine\\Drives", "Count");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->type, kRegDword);
  EXPECT_EQ(count->data, std::string("\x2a\0\0\0", 4));
  EXPECT_EQ(registryText(*count), std::nullopt);

  // Binary data is text less its last byte; UTF-16 hex data is decoded up to its NUL.
  EXPECT_EQ(textAt(file, "Software\\Wine\\Drives", "Blob"), "C:\\");
  const RegistryValue* wide = file.value("Software\\Wine\\Drives", "Wide");
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide->type, kRegExpandSz);
  EXPECT_EQ(registryText(*wide), "C:\\w");
}

TEST(WineRegistry, DecodesEscapes) {
  struct Case {
    std::string written;
    std::string expected;
  };
  const Case cases[] = {
      {R"("a\\b")", "a\\b"},
      {R"("say \"hi\"")", "say \"hi\""},
      {R"("line\nnext\ttab")", "line\nnext\ttab"},
      {R"("caf\x00e9")", "caf\xC3\xA9"},
      {R"("\xe9t\xe9")", "\xC3\xA9t\xC3\xA9"},
      {R"("\xd83d\xde00")", "\xF0\x9F\x98\x80"},
      {R"("\xd83d")", "\xEF\xBF\xBD"},
      {"\"caf\xC3\xA9\"", "caf\xC3\xA9"},
      {R"("\101")", "A"},
  };
  for (const Case& c : cases) {
    const auto file = RegistryFile::parse(kHeader + "[K]\n\"v\"=" + c.written + "\n");
    EXPECT_EQ(textAt(file, "K", "v"), c.expected) << c.written;
  }
}

TEST(WineRegistry, NamesMatchWithoutLetterCase) {
  const auto file = RegistryFile::parse(kHeader + "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion]\n"
                                                  "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n");
  EXPECT_EQ(textAt(file, "SOFTWARE\\microsoft\\WINDOWS\\CurrentVersion", "programfilesdir"), "C:\\Program Files");
  EXPECT_EQ(file.value("Software\\Microsoft\\Windows", "ProgramFilesDir"), nullptr);
}

TEST(WineRegistry, SkipsMalformedLinesAndKeepsTheRest) {
  const auto file = RegistryFile::parse(kHeader +
                                        "[Good]\n"
                                        "\"before\"=\"1\"\n"
                                        "\"unterminated=\"x\"\n"
                                        "\"badword\"=dword:zz\n"
                                        "\"toolong\"=dword:123456789\n"
                                        "\"badhex\"=hex:4\n"
                                        "\"nodata\"=\n"
                                        "garbage line\n"
                                        "\"str\"=\"no end\n"
                                        "\x01\x02\xff\xfe binary\n"
                                        "[Unclosed\\\\Key\n"
                                        "\"orphan\"=\"lost\"\n"
                                        "[Good]\r\n"
                                        "\"after\"=\"2\"\r\n");
  EXPECT_EQ(textAt(file, "Good", "before"), "1");
  EXPECT_EQ(textAt(file, "Good", "after"), "2");
  for (const char* name : {"unterminated", "badword", "toolong", "badhex", "nodata", "str", "orphan"}) {
    EXPECT_EQ(file.value("Good", name), nullptr) << name;
  }
  EXPECT_EQ(file.key("Unclosed\\Key"), nullptr);
}

TEST(WineRegistry, DamagedFilesHoldWhatTheyCan) {
  EXPECT_EQ(RegistryFile::parse("").keyCount(), 0u);
  EXPECT_EQ(RegistryFile::parse(std::string("\x7f" "ELF\0\0\x01garbage", 14)).keyCount(), 0u);
  // Without the header nothing counts, even well-formed keys.
  EXPECT_EQ(RegistryFile::parse("[K]\n\"v\"=\"1\"\n").keyCount(), 0u);
  // Cut off in the middle of a value, and in the middle of a continued hex value.
  const auto truncated = RegistryFile::parse(kHeader + "[K]\n\"v\"=\"1\"\n\"w\"=\"cut");
  EXPECT_EQ(textAt(truncated, "K", "v"), "1");
  EXPECT_EQ(truncated.value("K", "w"), nullptr);
  const auto cutHex = RegistryFile::parse(kHeader + "[K]\n\"h\"=hex:01,02,\\\n");
  const RegistryValue* hex = cutHex.value("K", "h");
  ASSERT_NE(hex, nullptr);
  EXPECT_EQ(hex->data, "\x01\x02");
}

}  // namespace
}  // namespace zendrift::profile
