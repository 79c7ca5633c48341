// Builds real shell-link (.lnk) files for tests: header, ID list of shell items, LinkInfo,
// string data and extra data blocks, laid out as Windows writes them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zendrift::testing {

// Text arguments are UTF-8. Strings stored as ANSI are written byte for byte as given, so a test
// can store Windows-1252 bytes ("\xC9t\xE9") or undecodable ones.
class LnkBuilder {
 public:
  using Guid = std::array<std::uint8_t, 16>;  // as stored (first three groups little-endian)
  static const Guid kMyComputer;
  static const Guid kNetwork;
  static const Guid kControlPanel;

  // ID list items, in order.
  LnkBuilder& rootFolder(const Guid& guid);
  LnkBuilder& myComputer() { return rootFolder(kMyComputer); }
  LnkBuilder& networkPlaces() { return rootFolder(kNetwork); }
  LnkBuilder& volume(std::string_view name);  // "C:\"
  // A folder or file with an 8.3 ANSI name and a 0xBEEF0004 block (version 9) with the long name.
  LnkBuilder& fileEntry(std::string_view longName, bool folder = false, std::string_view shortName = {});
  // A file entry with only its ANSI primary name, as very old shells wrote it.
  LnkBuilder& plainFileEntry(std::string_view ansiName, bool folder = false);
  LnkBuilder& networkLocation(std::string_view location);  // "\\server" or "\\server\share"
  LnkBuilder& rawItem(std::string_view bytes);             // without the size field
  // An ID list with no items at all (the desktop).
  LnkBuilder& emptyIdList();

  // LinkInfo. Unicode forms are added too when `unicode` is set.
  LnkBuilder& localPath(std::string_view basePath, std::string_view suffix = {}, bool unicode = false);
  LnkBuilder& networkPath(std::string_view netName, std::string_view suffix = {}, std::string_view device = {},
                          bool unicode = false);
  LnkBuilder& volumeLabel(std::string_view label, std::uint32_t driveType = 3, std::uint32_t serial = 0x1234ABCD);
  LnkBuilder& forceNoLinkInfo();

  // String data; stored as UTF-16 unless ansiStrings() is called.
  LnkBuilder& name(std::string_view text);
  LnkBuilder& relativePath(std::string_view text);
  LnkBuilder& workingDirectory(std::string_view text);
  LnkBuilder& arguments(std::string_view text);
  LnkBuilder& iconLocation(std::string_view text);
  LnkBuilder& ansiStrings();

  // Extra data blocks.
  LnkBuilder& environmentTarget(std::string_view ansi, std::string_view unicode);
  LnkBuilder& darwinId(std::string_view id);
  LnkBuilder& specialFolder(std::uint32_t id, std::uint32_t offset);
  LnkBuilder& knownFolder(const Guid& id, std::uint32_t offset);
  LnkBuilder& unknownBlock(std::uint32_t signature, std::size_t size);

  // Header fields.
  LnkBuilder& attributes(std::uint32_t value);
  LnkBuilder& times(std::uint64_t creation, std::uint64_t access, std::uint64_t write);
  LnkBuilder& fileSize(std::uint32_t value);
  LnkBuilder& iconIndex(std::int32_t value);
  LnkBuilder& showCommand(std::int32_t value);
  LnkBuilder& hotKey(std::uint16_t value);

  std::string build() const;
  // Writes the link to `path`, creating parent folders; returns the path as a string.
  std::string writeTo(const std::filesystem::path& path) const;

  // UTF-8 to UTF-16LE bytes.
  static std::string utf16(std::string_view utf8);

 private:
  struct LinkInfoParts {
    std::optional<std::string> basePath;
    std::optional<std::string> netName;
    std::string device;
    std::string suffix;
    std::string label;
    std::uint32_t driveType = 3;
    std::uint32_t serial = 0;
    bool unicode = false;
  };
  std::string linkInfoBlock() const;

  bool hasIdList_ = false;
  std::vector<std::string> items_;
  LinkInfoParts linkInfo_;
  bool forceNoLinkInfo_ = false;
  bool unicodeStrings_ = true;
  std::optional<std::string> name_, relativePath_, workingDir_, arguments_, iconLocation_;
  std::vector<std::string> extra_;
  std::uint32_t attributes_ = 0x20;
  std::uint64_t times_[3] = {0, 0, 0};
  std::uint32_t fileSize_ = 0;
  std::int32_t iconIndex_ = 0;
  std::int32_t showCommand_ = 1;
  std::uint16_t hotKey_ = 0;
};

}  // namespace zendrift::testing
