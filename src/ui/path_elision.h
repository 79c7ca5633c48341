// Fitting a long path into a line by leaving out its middle, so that the file name and the folder
// that holds it stay visible: three shortcuts of one game then read apart, where a line cut on the
// right shows the same start three times.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zendrift::ui {

// The width in pixels a text takes in the font it is drawn in.
using TextWidth = std::function<int(std::string_view text)>;

// `path` as it fits into `width` pixels: itself when it fits; else its start, "...", and its
// folder and file name ("/home/ann/.wi.../Old Game/Readme.lnk"), as much of the start as fits;
// else "..." and as much of its end as fits. UTF-8 characters are never split.
std::string middleElidedPath(std::string_view path, int width, const TextWidth& measure);

}  // namespace zendrift::ui
