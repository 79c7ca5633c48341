// Every shortcut of the corpus (real links from Windows and Wine) gives its listed target and source.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "shortcut/parse_shortcut.h"
#include "temp_dir.h"

namespace zendrift::shortcut {
namespace {

struct Expected {
  std::string target;
  std::string source;
};

std::map<std::string, Expected> loadExpected() {
  std::ifstream in(std::string(ZENDRIFT_LNK_CORPUS) + "/expected.tsv");
  std::map<std::string, Expected> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string file, target, source;
    std::getline(fields, file, '\t');
    std::getline(fields, target, '\t');
    std::getline(fields, source, '\t');
    rows[file] = {target, source};
  }
  // expected.tsv lists these two as the lossy ANSI names ("?") that an ANSI shell-link interface
  // reports; the links store the real names in Unicode, and the reader prefers Unicode.
  rows["wine-nonascii_wide.lnk"].target = "C:\\users\\Public\\Documents\\Кириллица 日本語 Ü.txt";
  rows["wine-nonascii_wide_missing.lnk"].target = "C:\\日本語\\нет.exe";
  return rows;
}

std::optional<std::string> keepUnexpanded(std::string_view) { return std::nullopt; }

TEST(ShortcutCorpus, EveryLinkGivesItsExpectedTargetAndSource) {
  const auto rows = loadExpected();
  ASSERT_EQ(rows.size(), 56u);
  ParseOptions options;
  options.codePage = kCodePageWestern;
  options.expandEnvironment = &keepUnexpanded;
  for (const auto& [file, expected] : rows) {
    SCOPED_TRACE(file);
    const std::string data = testing::readFile(std::string(ZENDRIFT_LNK_CORPUS) + "/" + file);
    ASSERT_FALSE(data.empty());
    ShortcutInfo info;
    EXPECT_TRUE(parseShortcut(data, info, options));
    EXPECT_EQ(info.target, expected.target);
    EXPECT_EQ(targetSourceName(info.source), expected.source);
  }
}

// Every prefix of a real link is handled, and a link cut off inside its target data gives none.
TEST(ShortcutCorpus, TruncatedLinksNeverGiveAPartialTarget) {
  const std::string data = testing::readFile(std::string(ZENDRIFT_LNK_CORPUS) + "/windows-network_info.lnk");
  ShortcutInfo whole;
  parseShortcut(data, whole);
  ASSERT_EQ(whole.source, TargetSource::Unc);
  for (std::size_t size = 0; size < data.size(); ++size) {
    ShortcutInfo info;
    parseShortcut(std::string_view(data).substr(0, size), info);
    if (!info.target.empty()) {
      EXPECT_EQ(info.target, whole.target) << "cut at " << size;
    }
  }
}

}  // namespace
}  // namespace zendrift::shortcut
