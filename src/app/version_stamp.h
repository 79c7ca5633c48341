// The version stamp shown in the window's caption: "1.8.9 (Build 36)".
#pragma once

#include <string>
#include <string_view>

namespace zendrift::app {

// The stamp of the executable at `fileName`; "0.0.0 (Build 0)" when it carries no version.
std::string versionStamp(std::string_view fileName);

}  // namespace zendrift::app
