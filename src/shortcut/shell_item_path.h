// The file-system path that a link's ID list of shell items names, if it names one.
#pragma once

#include <string>

#include "shortcut/byte_view.h"

namespace zendrift::shortcut {

// Appends the path named by `items` (the ID list's items, without its leading size) to `out`,
// for example "C:\Program Files\xt\xt.exe" from My Computer, "C:\", "Program Files", "xt",
// "xt.exe", or "\\server\share\dir" from the network items. Returns false and appends nothing
// when the list names a shell object with no file-system path, or is damaged.
bool appendIdListPath(std::string& out, ByteView items, unsigned codePage);

}  // namespace zendrift::shortcut
