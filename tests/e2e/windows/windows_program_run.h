// Runs a Windows program with arguments and captures what it prints, without a shell.
#pragma once

#include <string>
#include <vector>

namespace zendrift::testing::win32 {

struct ProgramResult {
  unsigned long exitCode = 0;
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` (UTF-8), quoted the way the C library splits them again,
// waits for it and returns its exit code and outputs. Throws when it cannot start.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments);

// One argument quoted for a Windows command line.
std::wstring quoteArgument(const std::wstring& argument);

// zendrift.exe under test: ZENDRIFT_BIN.
std::string zendriftExecutable();

}  // namespace zendrift::testing::win32
