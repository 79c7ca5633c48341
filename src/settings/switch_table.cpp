// The table of switches.
#include "settings/switch_table.h"

#include <array>

namespace zendrift::settings {

namespace {

constexpr std::array kSwitches = {
    SwitchDescription{"startmenu", "", "scan the Start menus (your own and all users')"},
    SwitchDescription{"desktop", "", "scan the desktops (your own and all users')"},
    SwitchDescription{"favorites", "", "scan Favorites"},
    SwitchDescription{"history", "", "scan History"},
    SwitchDescription{"recent", "", "scan Recent documents"},
    SwitchDescription{"temppath", "", "scan the Temp folder"},
    SwitchDescription{"programfiles", "", "scan Program files"},
    SwitchDescription{"applicationdata", "", "scan Application data"},
    SwitchDescription{"userdir", "FOLDER", "scan FOLDER and its subfolders"},
    SwitchDescription{"removabledrives", "", "count missing targets on removable drives"},
    SwitchDescription{"networkdrives", "", "count missing targets on network drives and shares"},
    SwitchDescription{"cdromdrives", "", "count missing targets on CD-ROM drives"},
    SwitchDescription{"ramdrives", "", "count missing targets on RAM disks"},
    SwitchDescription{"list", "", "scan without a window and print the orphans; deletes nothing"},
    SwitchDescription{"json", "", "with /list: print one JSON document instead of lines"},
    SwitchDescription{"silent", "", "scan without a window and delete the marked orphans"},
    SwitchDescription{"start", "", "open the window and start a scan"},
    SwitchDescription{"delete", "", "then delete the marked orphans"},
    SwitchDescription{"exit", "", "then close the window"},
    SwitchDescription{"help", "", "print this text (also -h, /?, --help)"},
    SwitchDescription{"version", "", "print the version (also --version)"},
};

}  // namespace

std::span<const SwitchDescription> knownSwitches() { return kSwitches; }

}  // namespace zendrift::settings
