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
    SwitchDescription{"only", "", "scan only the folders and drives named here, whatever is saved"},
    SwitchDescription{"removabledrives", "", "count missing targets on removable drives"},
    SwitchDescription{"networkdrives", "", "count missing targets on network drives and shares"},
    SwitchDescription{"cdromdrives", "", "count missing targets on CD-ROM drives"},
    SwitchDescription{"ramdrives", "", "count missing targets on RAM disks"},
    SwitchDescription{"prefix", "FOLDER", "scan the Wine prefix FOLDER instead of $WINEPREFIX or ~/.wine"},
    SwitchDescription{"allprefixes", "", "scan every Wine prefix found, one after another"},
    SwitchDescription{"prefixes", "", "print the Wine prefixes found: kind, path and name"},
    SwitchDescription{"list", "", "scan without a window and print the orphans; deletes nothing"},
    SwitchDescription{"json", "", "with /list: print one JSON document instead of lines"},
    SwitchDescription{"silent", "", "scan without a window and delete the marked orphans"},
    SwitchDescription{"permanent", "", "delete for good instead of moving to the trash"},
    SwitchDescription{"undo", "", "put back what the last cleaning removed"},
    SwitchDescription{"start", "", "open the window and start a scan"},
    SwitchDescription{"delete", "", "then delete the marked orphans"},
    SwitchDescription{"exit", "", "then close the window"},
    SwitchDescription{"help", "", "print this text (also -h, /?, --help)"},
    SwitchDescription{"version", "", "print the version (also --version)"},
};

}  // namespace

std::span<const SwitchDescription> knownSwitches() { return kSwitches; }

}  // namespace zendrift::settings
