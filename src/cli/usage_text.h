// The text that /help prints: every switch on a line of its own, and where the settings live.
#pragma once

#include <string>

namespace zendrift::cli {

// `settingsPath` is where the settings file is (or would be) found.
std::string usageText(const std::string& settingsPath);

}  // namespace zendrift::cli
