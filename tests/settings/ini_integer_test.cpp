// Integer values of the settings file.
#include <gtest/gtest.h>

#include "settings/ini_integer.h"

namespace zendrift::settings {
namespace {

struct Case {
  const char* text;
  std::int32_t fallback;
  std::int32_t expected;
};

TEST(IniInteger, ReadsTheFormsThatTheProfileReaderAccepts) {
  const Case cases[] = {
      {"0", 7, 0},
      {"600", 0, 600},
      {"-1", 0, -1},
      {"+12", 0, 12},
      {" 0", 1, 0},
      {"   42", 0, 42},
      {"0x258", 0, 600},
      {"0X258", 0, 600},
      {"0x0", 1, 0},
      {"$ff", 0, 255},
      {"$FF", 0, 255},
      {"x10", 0, 16},
      {"X10", 0, 16},
      {"-0x10", 0, -16},
      {" -$10", 0, -16},
      {"2147483647", 0, 2147483647},
      {"-2147483648", 0, INT32_MIN},
      {"-0x80000000", 0, INT32_MIN},
      {"007", 0, 7},
  };
  for (const Case& c : cases) EXPECT_EQ(parseIniInteger(c.text, c.fallback), c.expected) << '"' << c.text << '"';
}

TEST(IniInteger, AnythingElseGivesTheFallback) {
  const char* bad[] = {"",      " ",      "yes",         "600px",      "6 00",      "12 ",      "-",
                       "+",     "0x",     "$",           "0xg",        "1e3",       "--1",      "+-1",
                       "2147483648", "-2147483649", "0x80000000", "99999999999999999999", "\t1", "1.0"};
  for (const char* text : bad) {
    EXPECT_EQ(parseIniInteger(text, 1), 1) << '"' << text << '"';
    EXPECT_EQ(parseIniInteger(text, -5), -5) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace zendrift::settings
