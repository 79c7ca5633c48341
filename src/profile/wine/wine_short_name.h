// Wine's 8.3 short names for long host file names. Installers often store targets in short form
// (C:\PROG~FBU\...), and Wine resolves those through names it makes up from the long ones; a
// target stored that way must not look missing to us.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::profile {

// The 8.3 name Wine shows Windows programs for the host file name `longName` (UTF-8 in, UTF-8
// out). A name that already is a valid 8.3 name ("readme", "ZdSuite", "a.b") gets no other
// name from Wine and comes back unchanged, letter case kept. Any other name gets Wine's hashed
// form: up to four leading characters, '~' padding, three characters of a hash of the whole
// name, and up to three characters of the extension, upper case ("Program Files" -> "PROG~FBU").
std::string wineShortName(std::string_view longName);

// True when `component`, as a shortcut stores it (any letter case), is the hashed short name Wine
// makes for the listed host name `listedName`. A valid 8.3 listed name has no hashed name: it is
// matched by the name itself, which the caller compares on its own. Names with dots before their
// extension are also matched in the form later Wine versions give them. A component that is not
// 8 to 12 characters long with '~' as its fifth never matches and costs no more than that check.
bool matchesWineShortName(std::string_view listedName, std::string_view component);

}  // namespace zendrift::profile
