// The version stamp of an executable file.
#include "app/version_stamp.h"

#include "platform/file_version.h"

namespace zendrift::app {

std::string versionStamp(std::string_view fileName) {
  const platform::FileVersion version = platform::readFileVersion(fileName).value_or(platform::FileVersion{});
  return std::to_string(version[0]) + "." + std::to_string(version[1]) + "." + std::to_string(version[2]) +
         " (Build " + std::to_string(version[3]) + ")";
}

}  // namespace zendrift::app
