// Where the system reports no ANSI code page (POSIX), the locale variables choose it.
#include <gtest/gtest.h>

#include "shortcut/text_decoding.h"
#include "temp_dir.h"

namespace zendrift::shortcut {
namespace {

// LC_ALL overrides LC_CTYPE, which overrides LANG; an empty value counts as unset.
TEST(TextDecoding, CodePageFromTheEnvironment) {
  testing::ScopedEnv all("LC_ALL", "");
  testing::ScopedEnv ctype("LC_CTYPE", "el_GR.UTF-8");
  testing::ScopedEnv lang("LANG", "ru_RU.UTF-8");
  EXPECT_EQ(localeAnsiCodePage(), 1253u);
  {
    testing::ScopedEnv japanese("LC_ALL", "ja_JP.UTF-8");
    EXPECT_EQ(localeAnsiCodePage(), 932u);
  }
  testing::ScopedEnv noCtype("LC_CTYPE", nullptr);
  EXPECT_EQ(localeAnsiCodePage(), 1251u);
  testing::ScopedEnv noLang("LANG", nullptr);
  EXPECT_EQ(localeAnsiCodePage(), kCodePageWestern);
}

}  // namespace
}  // namespace zendrift::shortcut
