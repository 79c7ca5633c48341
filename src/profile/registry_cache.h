// RegistryCache: the registry files of the Wine prefixes that one piece of work has read, each
// parsed once and parsed again only when it changed on disk.
//
// Whoever judges shortcuts owns one (a scan's ProfileCache holds it) and hands it to the profile's
// services that read the registry, so two scans never share what they have read. On Windows the
// system keeps the registry, and this holds nothing.
#pragma once

#include <memory>

namespace zendrift::profile {

class RegistryCache {
 public:
  RegistryCache();
  ~RegistryCache();
  RegistryCache(RegistryCache&&) noexcept;
  RegistryCache& operator=(RegistryCache&&) noexcept;

  // What the platform keeps; only its own profile code knows the shape.
  struct Store;
  Store& store() noexcept { return *store_; }

 private:
  std::unique_ptr<Store> store_;
};

}  // namespace zendrift::profile
