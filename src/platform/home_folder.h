// The user's Unix home folder: telling whether a folder is that folder itself, and where a
// folder that Wine links into it leads.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zendrift::platform {
// Whether the host folder `folder` is the user's Unix home folder itself (Wine links a missing
// Desktop or Documents there): its dot folders belong to other programs. Never on plain Windows.
bool isUnixHomeFolder(std::string_view folder);

// The user's Unix home folder as named ($HOME, else the password entry's); empty on Windows, and
// under Wine, where paths are Windows paths.
std::string unixHomeFolder();

// Where the folder `folder` leads when it is itself a symbolic link (Wine links a prefix's
// Desktop, Documents and the like to the home's own folders): that folder's path without links.
// Nothing when it is no link, or leads nowhere. Never on Windows.
std::optional<std::string> linkedFolder(std::string_view folder);
}
