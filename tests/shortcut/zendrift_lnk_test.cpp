// The zendrift-lnk command: field listing, TSV lines and its exit status.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "lnk_builder.h"
#include "shortcut/shortcut_report.h"
#include "temp_dir.h"

namespace zendrift::shortcut {
namespace {

using testing::LnkBuilder;
using testing::TempDir;

struct ToolRun {
  std::string out;
  int status;
};

ToolRun runTool(const std::string& arguments) {
  const std::string command = std::string(ZENDRIFT_LNK_TOOL) + " " + arguments + " 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  ToolRun run{{}, -1};
  if (!pipe) return run;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(ZendriftLnk, TsvLinesEscapeTabsNewlinesAndBackslashes) {
  EXPECT_EQ(escapeTsv("a\tb\nc\\d"), "a\\tb\\nc\\\\d");
  TempDir dir;
  const std::string link = LnkBuilder().networkPath("\\\\srv\\share", "a\tb.txt").writeTo(dir.path() / "n.lnk");
  const ToolRun run = runTool("--tsv '" + link + "' '" + dir.str() + "/missing.lnk'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, link + "\t\\\\\\\\srv\\\\share\\\\a\\tb.txt\tunc\n");
}

TEST(ZendriftLnk, FieldListing) {
  TempDir dir;
  const std::string link = LnkBuilder().localPath("C:\\x.exe").arguments("-a\n-b").iconIndex(2).writeTo(dir.path() / "x.lnk");
  const ToolRun run = runTool("'" + link + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("File: " + link + "\nTarget: C:\\x.exe\nArguments: -a\\n-b\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("\nIconIndex: 2\n"), std::string::npos);
  EXPECT_NE(run.out.find("\nSource: localpath\n\n"), std::string::npos);
  EXPECT_EQ(run.out.back(), '\n');
}

}  // namespace
}  // namespace zendrift::shortcut
