// What many desktop entries of the same prefixes share, read once for all of them: whether each
// prefix is gone, its registry, the folders of its drives, the listings of folders looked into.
// POSIX hosts only.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "profile/folder_listings.h"
#include "profile/registry_cache.h"
#include "profile/windows_profile.h"

namespace zendrift::profile {
struct DiskMounts;
}

namespace zendrift::profile::wine {

struct Profile;

class PrefixFacts {
 public:
  // `disks` is what the machine says of its disks; it must outlive these facts.
  explicit PrefixFacts(const DiskMounts& disks) : disks_(disks) {}

  // Whether the prefix is gone: its folder missing while the folder above it is there, not on a
  // disk that is not mounted now.
  bool gone(const std::string& prefix);
  // The prefix's registry and environment; null when it is no Wine prefix.
  std::shared_ptr<const Profile> profile(const std::string& prefix);
  // The host folder of drive `letter`; empty when it is not mapped or lies on a disk not mounted now.
  const std::string& drive(const std::string& prefix, char letter);
  // Whether a file or folder is at a Windows path of the prefix, as the scan's lookups answer it.
  TargetPresence presence(const std::string& windowsPath, const std::string& prefix);

 private:
  struct Prefix {
    bool gone = false;
    std::shared_ptr<const Profile> profile;
  };
  Prefix& facts(const std::string& prefix);

  const DiskMounts& disks_;
  std::map<std::string, Prefix> prefixes_;
  std::map<std::pair<std::string, char>, std::string> drives_;
  RegistryCache registries_;
  FolderListings listings_;
};

}  // namespace zendrift::profile::wine
