// Decoding the link's strings: UTF-16, Windows-1252, the locale's code page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shortcut/text_decoding.h"

namespace zendrift::shortcut {
namespace {

std::span<const std::uint8_t> bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(TextDecoding, Windows1252) {
  struct Case {
    std::string in, out;
  };
  const std::vector<Case> cases = {
      {"plain", "plain"},
      {"\x80\x85\x8A\x9F", "€…ŠŸ"},
      {"\xC4\xE8\xEC\xE0", "Äèìà"},
      {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},  // undefined bytes are kept
      {"\xA0\xFF", "\u00A0ÿ"},
  };
  for (const Case& c : cases) {
    std::string out = "<";
    appendAnsi(out, bytes(c.in), kCodePageWestern);
    EXPECT_EQ(out, "<" + c.out);
  }
}

TEST(TextDecoding, OtherCodePages) {
  std::string out;
  appendAnsi(out, bytes("\xC4\xE8\xEC\xE0"), 1251);
  EXPECT_EQ(out, "Дима");
  out.clear();
  appendAnsi(out, bytes("\x93\xFA\x96\x7B"), 932);
  EXPECT_EQ(out, "日本");
  // Bytes the code page cannot convert are read as Windows-1252 rather than dropped.
  out.clear();
  appendAnsi(out, bytes("a\x81"), 932);
  EXPECT_EQ(out, "a\u0081");
}

TEST(TextDecoding, Utf16) {
  std::string out;
  appendUtf16(out, bytes(std::string_view("A\0\x14\x04\x3D\xD8\x00\xDE", 8)));
  EXPECT_EQ(out, "AД😀");
  out.clear();
  appendUtf16(out, bytes(std::string_view("\x00\xD8" "B\0" "C", 5)));  // lone surrogate, odd byte
  EXPECT_EQ(out, "\uFFFDB");
}

TEST(TextDecoding, CodePageOfLocale) {
  struct Case {
    const char* locale;
    unsigned codePage;
  };
  for (const Case& c : {Case{"C", 1252}, Case{"POSIX", 1252}, Case{"en_US.UTF-8", 1252}, Case{"de_DE@euro", 1252},
                        Case{"ru_RU.UTF-8", 1251}, Case{"uk_UA", 1251}, Case{"pl_PL.UTF-8", 1250},
                        Case{"el_GR", 1253}, Case{"tr_TR", 1254}, Case{"ja_JP.UTF-8", 932},
                        Case{"zh_CN.UTF-8", 936}, Case{"zh_TW.UTF-8", 950}, Case{"ko_KR", 949}}) {
    EXPECT_EQ(ansiCodePageForLocale(c.locale), c.codePage) << c.locale;
  }
}

}  // namespace
}  // namespace zendrift::shortcut
