// The manual page keeps up with the switch table: a switch added to the program has its entry.
#include <gtest/gtest.h>

#include "settings/switch_table.h"
#include "temp_dir.h"

namespace zendrift::app {
namespace {

TEST(ManualPage, HasAnEntryForEverySwitch) {
  const std::string page = testing::readFile(testing::testSetting("ZENDRIFT_SOURCE_DIR") + "/docs/zendrift.1");
  ASSERT_FALSE(page.empty());
  for (const settings::SwitchDescription& known : settings::knownSwitches()) {
    const std::string name = "/" + std::string(known.name);
    // An entry's tag line: ".B /name", ".BI /name ..." or ".BR /name ...".
    const bool entry = page.find("\n.B " + name + "\n") != std::string::npos ||
                       page.find("\n.BI " + name + " ") != std::string::npos ||
                       page.find("\n.BR " + name + " ") != std::string::npos;
    EXPECT_TRUE(entry) << name;
  }
}

}  // namespace
}  // namespace zendrift::app
