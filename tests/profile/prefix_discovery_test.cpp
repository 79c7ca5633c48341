// Discovery of every tool's Wine prefixes in a real home folder.
#include "profile/prefix_discovery.h"

#include <gtest/gtest.h>

#include "../platform/home_with_tool_prefixes.h"
#include "profile/wine/valve_key_values.h"
#include "profile/wine/yaml_scalar.h"

namespace zendrift::testing {
namespace {

TEST(PrefixDiscovery, FindsEachToolsPrefixesOnceByRealPathAndNamesThem) {
  TempDir home;
  const HomeWithToolPrefixes tools(home.path());
  std::vector<profile::FoundPrefix> expected;
  for (const ExpectedPrefix& prefix : tools.expected()) expected.push_back({prefix.kind, prefix.path.string(), prefix.name});

  EXPECT_EQ(profile::discoverPrefixes({home.str(), tools.customPrefix().string() + "/"}), expected);
  // Without $WINEPREFIX the same, less the prefix it named; without a home, only that one.
  expected.erase(expected.begin());
  EXPECT_EQ(profile::discoverPrefixes({home.str(), ""}), expected);
  EXPECT_EQ(profile::discoverPrefixes({"", home / ".wine"}).size(), 1u);
  EXPECT_TRUE(profile::discoverPrefixes({home / "missing", home / "missing/prefix"}).empty());
}

TEST(PrefixDiscovery, SmallParsersReadWhatTheToolsWriteAndRefuseTheRest) {
  using profile::wine::parseKeyValues;
  using profile::wine::yamlScalar;
  const auto old = parseKeyValues("\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"1\"\n\t\"1\"\t\t\"D:\\\\Steam\"\n}\n");
  ASSERT_TRUE(old);
  const auto* folders = old->child("libraryfolders");
  ASSERT_TRUE(folders && folders->child("1"));
  EXPECT_EQ(folders->child("1")->value, "D:\\Steam");
  for (const char* bad : {"\"a\" {", "\"a\" { \"b\" }", "}", "\"a\" \"b", "\"a\""}) EXPECT_FALSE(parseKeyValues(bad)) << bad;
  EXPECT_FALSE(parseKeyValues(std::string(5000, '{')));
  std::string deep;
  for (int i = 0; i < 100; ++i) deep += "\"a\" {";
  EXPECT_FALSE(parseKeyValues(deep + std::string(100, '}')));

  const std::string lutris = "# comment\ngame:\n  args: -x\n  prefix: 'it''s here' \nwine:\n  prefix: /no\n";
  EXPECT_EQ(yamlScalar(lutris, "game", "prefix"), "it's here");
  EXPECT_EQ(yamlScalar("game:\n  prefix: /a/b # c\n", "game", "prefix"), "/a/b");
  EXPECT_EQ(yamlScalar("game:\r\n    prefix: \"/a\\\"b\"\r\n", "game", "prefix"), "/a\"b");
  EXPECT_EQ(yamlScalar("Name: Office\n", "", "Name"), "Office");
  for (const char* bad : {"game:\n  prefix: ~\n", "game:\n  prefix:\n    - x\n", "prefix: /top\n", "game:\n  prefix: '/open\n",
                          "game:\n  sub:\n    prefix: /deeper\n"}) {
    EXPECT_FALSE(yamlScalar(bad, "game", "prefix")) << bad;
  }
}

}  // namespace
}  // namespace zendrift::testing
