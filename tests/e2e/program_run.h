// Runs the real zendrift binary with its own environment and captures what it prints.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace zendrift::testing {

struct ProgramResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` and exactly the variables of `environment`, without a shell.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment);

// The zendrift binary under test.
std::string zendriftBinary();

}  // namespace zendrift::testing
