// Where the system reports no ANSI code page (POSIX), the locale variables choose it, as Wine
// chooses it: only a locale the C library can load counts.
#include <gtest/gtest.h>

#include <filesystem>

#include "shortcut/text_decoding.h"
#include "temp_dir.h"

namespace zendrift::shortcut {
namespace {

namespace fs = std::filesystem;

// LC_ALL overrides LC_CTYPE, which overrides LANG; an empty value counts as unset. The locales
// are "installed" in a folder of our own (LOCPATH), as copies of C.UTF-8 under their names.
TEST(TextDecoding, CodePageFromTheEnvironment) {
  const fs::path cUtf8 = "/usr/lib/locale/C.utf8";
  if (!fs::is_directory(cUtf8)) GTEST_SKIP() << "no compiled C.UTF-8 locale here";
  testing::TempDir temp;
  for (const char* name : {"el_GR.UTF-8", "ja_JP.UTF-8", "ru_RU.UTF-8"}) {
    fs::copy(cUtf8, temp.path() / name, fs::copy_options::recursive);
  }
  testing::ScopedEnv locales("LOCPATH", temp.path().string().c_str());
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
  {
    // Not installed: Wine stays in the C locale, and so in Windows-1252.
    testing::ScopedEnv ukrainian("LANG", "uk_UA.UTF-8");
    EXPECT_EQ(localeAnsiCodePage(), kCodePageWestern);
    testing::ScopedEnv greekCtype("LC_CTYPE", "el_GR.UTF-8");
    EXPECT_EQ(localeAnsiCodePage(), kCodePageWestern) << "one category that cannot load fails them all";
  }
  testing::ScopedEnv noLang("LANG", nullptr);
  EXPECT_EQ(localeAnsiCodePage(), kCodePageWestern);
}

}  // namespace
}  // namespace zendrift::shortcut
