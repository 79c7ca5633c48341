// Cutting a command-line string into parameters.
#include <gtest/gtest.h>

#include "platform/command_line_words.h"

namespace zendrift::platform {
namespace {

using Words = std::vector<std::string>;

TEST(CommandLineWords, QuotesGroupAndBackslashesAreOrdinary) {
  struct Case {
    std::string line;
    Words words;
  };
  const Case cases[] = {
      {"zendrift.exe /start", {"zendrift.exe", "/start"}},
      {"  \"C:\\Program Files\\z.exe\"\t/userdir  \"C:\\My Games\\\" /start",
       {"C:\\Program Files\\z.exe", "/userdir", "C:\\My Games\\", "/start"}},
      {"z a\"b c\"d", {"z", "ab cd"}},
      {"z \"unclosed stretch", {"z", "unclosed stretch"}},
      {"z \"\"/silent", {"z", "/silent"}},
      {"z \"\" /silent", {"z", "/silent"}},
      {"z \"\"\"\" x", {"z", "x"}},
      {"z \"a\"\"b\"", {"z", "ab"}},
      {"z \x01\x1f/exit", {"z", "/exit"}},
      {"z Ärger \xE6\x97\xA5", {"z", "Ärger", "\xE6\x97\xA5"}},
      {"", {}},
      {"   ", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(splitCommandLine(c.line), c.words) << c.line;
}

TEST(CommandLineWords, AnEmptyWordEndsTheList) {
  EXPECT_EQ(splitCommandLine("z /start \"\"\x01 /exit"), (Words{"z", "/start", "/exit"})) << "a leading pair is skipped";
  EXPECT_EQ(splitCommandLine("z /start \""), (Words{"z", "/start"}));
  EXPECT_EQ(splitCommandLine(std::string("z /a\0/b", 7)), (Words{"z", "/a"}));
}

}  // namespace
}  // namespace zendrift::platform
