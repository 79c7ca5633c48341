// zd_shell_link_batch JOBFILE: saves shortcuts through the system's own shell-link object, one
// per line of JOBFILE ("LINK<TAB>TARGET", UTF-8), so that a test on the host can have a Wine
// prefix's shortcuts written by Wine itself. Prints each failure; exits 1 when any failed.
#include <fstream>
#include <iostream>
#include <string>

#include "shell_link_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zd_shell_link_batch JOBFILE\n";
    return 2;
  }
  std::ifstream jobs(argv[1], std::ios::binary);
  if (!jobs) {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 2;
  }
  const zendrift::testing::win32::ComApartment apartment;
  int failed = 0;
  for (std::string line; std::getline(jobs, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    try {
      zendrift::testing::win32::saveShellLink(line.substr(0, tab), line.substr(tab + 1));
    } catch (const std::exception& error) {
      std::cerr << line << ": " << error.what() << "\n";
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}
