// The parts of a listed entry that are the same on every platform.
#include "platform/directory_listing.h"

namespace zendrift::platform {

DirEntry::DirEntry(Raw raw) { assign(std::move(raw)); }

void DirEntry::assign(Raw&& raw) {
  name_ = std::move(raw.name);
  folder_ = std::move(raw.folder);
  directory_ = raw.directory;
  symlink_ = raw.symlink;
  dotNamesHidden_ = raw.dotNamesHidden;
  attributes_ = raw.attributes;
  hiddenSystem_.reset();
  size_ = raw.size;
  lastWriteTime_ = raw.lastWriteTime;
  folderDescriptor_ = std::move(raw.folderDescriptor);
}

void DirEntry::assignListed(std::string_view name, const std::string& folder, bool directory, bool symlink,
                            const std::shared_ptr<const int>& folderDescriptor, bool dotNamesHidden) {
  name_.assign(name);
  if (folder_ != folder) folder_ = folder;
  directory_ = directory;
  symlink_ = symlink;
  dotNamesHidden_ = dotNamesHidden;
  attributes_.reset();
  hiddenSystem_.reset();
  size_.reset();
  lastWriteTime_.reset();
  if (folderDescriptor_ != folderDescriptor) folderDescriptor_ = folderDescriptor;
}

void DirEntry::assignKnown(std::string_view name, const std::string& folder, bool directory, bool symlink,
                           const Facts& facts, bool dotNamesHidden) {
  assignListed(name, folder, directory, symlink, nullptr, dotNamesHidden);
  attributes_ = facts.attributes;
  hiddenSystem_ = facts.hiddenSystem;
  size_ = facts.size;
  lastWriteTime_ = facts.lastWriteTime;
}

std::uint32_t DirEntry::attributes() const {
  if (!attributes_) fetchStatus();
  return *attributes_;
}

std::uint32_t DirEntry::hiddenSystemAttributes() const {
  if (attributes_) return *attributes_ & (kAttrHidden | kAttrSystem);
  if (!hiddenSystem_) fetchHiddenSystem();
  return *hiddenSystem_;
}

std::uint64_t DirEntry::size() const {
  if (!size_) fetchStatus();
  return *size_;
}

FileTime DirEntry::lastWriteTime() const {
  if (!lastWriteTime_) fetchStatus();
  return *lastWriteTime_;
}

}  // namespace zendrift::platform
