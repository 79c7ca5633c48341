// The Wine prefix that holds the Windows profile on Linux: where it is, its drive letters, its
// registry files and the environment that its registry defines.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "profile/registry_cache.h"
#include "profile/windows_profile.h"
#include "profile/wine_registry.h"

namespace zendrift::profile::wine {

// Orders names the way Windows compares environment-variable names: ASCII case-blind.
struct CaselessLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};
using Environment = std::map<std::string, std::string, CaselessLess>;

// Expands every %NAME% of `text` from `environment`. Empty when a name is unknown. A "%" that
// does not open a name ("100%", "%%") stays as it is.
std::optional<std::string> expandEnvironment(std::string_view text, const Environment& environment);

// What the prefix holds, read from its registry files. Shared and immutable: a profile stays
// valid while a caller holds it, even after the files change.
struct Profile {
  std::string prefix;  // host folder, no trailing delimiter
  std::shared_ptr<const RegistryFile> user;    // HKEY_CURRENT_USER
  std::shared_ptr<const RegistryFile> system;  // HKEY_LOCAL_MACHINE
  std::string userName;
  Environment environment;
};

// The profile of the prefix at `prefix`; null when the folder does not exist or `prefix` is
// empty. Its registry files are kept in `registries` and parsed again only when their identity,
// size or modification time changed.
std::shared_ptr<const Profile> profileAt(std::string_view prefix, RegistryCache& registries);

// The Wine profile that answers for `profile`: the chosen prefix for Scanned, its own prefix for
// WinePrefix; null for an installation seen from outside, no prefix, or a prefix that is gone.
std::shared_ptr<const Profile> wineProfileOf(const ShortcutProfile& profile, RegistryCache& registries);

// Whether `folder` is the root of a Wine prefix: it holds a system.reg file and a dosdevices
// folder.
bool isWinePrefix(std::string_view folder);

// The computer name Wine gives the host: its host name up to the first dot, in capitals, cut to
// the 15 characters of a NetBIOS name. Empty when the host has no name.
std::string computerName();

// The environment of a Windows installation seen from outside: only what its layout proves.
Environment installationEnvironment();

// Builds the environment of a profile from its registry (exposed for tests).
Environment profileEnvironment(const RegistryFile& user, const RegistryFile& system, std::string_view userName);

// The host folder behind drive `letter` of `prefix`: the target of dosdevices/<letter>:,
// relative targets taken from dosdevices/. Empty when the letter is not a-z or has no link, or,
// when `verify` is set, the link does not lead to a folder. Callers that go on to look at the
// folder anyway pass false and save a system call.
std::string driveFolder(std::string_view prefix, char letter, bool verify = true);

}  // namespace zendrift::profile::wine
