// The shell-link reader: header, ID list, LinkInfo, string data, extra data, and the choice of
// the stored target.
#include "shortcut/parse_shortcut.h"

#include <array>

#include "profile/windows_profile.h"
#include "shortcut/byte_view.h"
#include "shortcut/encoded_text.h"
#include "shortcut/extra_data.h"
#include "shortcut/link_info.h"
#include "shortcut/shell_item_path.h"

namespace zendrift::shortcut {

namespace {

constexpr std::size_t kHeaderSize = 0x4C;
// {00021401-0000-0000-C000-000000000046} as stored.
constexpr std::array<std::uint8_t, 16> kShellLinkClass = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlag : std::uint32_t {
  kHasIdList = 0x1,
  kHasLinkInfo = 0x2,
  kHasName = 0x4,
  kHasRelativePath = 0x8,
  kHasWorkingDir = 0x10,
  kHasArguments = 0x20,
  kHasIconLocation = 0x40,
  kIsUnicode = 0x80,
  kForceNoLinkInfo = 0x100,
};

bool isShellLink(ByteView file) {
  if (!file.has(0, kHeaderSize) || file.u32(0) != kHeaderSize) return false;
  for (std::size_t i = 0; i < kShellLinkClass.size(); ++i) {
    if (file.u8(4 + i) != kShellLinkClass[i]) return false;
  }
  return true;
}

void readHeader(ByteView file, ShortcutInfo& info) {
  FindData& find = info.targetFindData;
  find.fileAttributes = file.u32(0x18);
  find.creationTime = file.u64(0x1C);
  find.lastAccessTime = file.u64(0x24);
  find.lastWriteTime = file.u64(0x2C);
  find.fileSize = file.u32(0x34);
  info.iconIndex = static_cast<std::int32_t>(file.u32(0x38));
  info.showCommand = static_cast<std::int32_t>(file.u32(0x3C));
  info.hotKey = file.u16(0x40);
}

// The sections that come before the string data, each checked to lie inside the file.
struct TargetData {
  bool complete = false;  // false when the file is cut off inside them
  ByteView idList;
  bool hasIdList = false;
  ByteView linkInfo;
  bool hasLinkInfo = false;
  std::size_t end = 0;
};

TargetData locateTargetData(ByteView file, std::uint32_t flags) {
  TargetData data;
  std::size_t offset = kHeaderSize;
  if (flags & kHasIdList) {
    if (!file.has(offset, 2)) return data;
    const std::uint16_t size = file.u16(offset);
    if (!file.has(offset + 2, size)) return data;
    data.idList = file.sub(offset + 2, size);
    data.hasIdList = true;
    offset += 2 + size;
  }
  if (flags & kHasLinkInfo) {
    if (!file.has(offset, 4)) return data;
    const std::uint32_t size = file.u32(offset);
    if (size < 4 || !file.has(offset, size)) return data;
    data.linkInfo = file.sub(offset, size);
    data.hasLinkInfo = true;
    offset += size;
  }
  data.complete = true;
  data.end = offset;
  return data;
}

// Reads one StringData string at `offset`; false when it does not fit.
bool readString(ByteView file, std::size_t& offset, bool unicode, EncodedText& text) {
  if (!file.has(offset, 2)) return false;
  const std::size_t count = file.u16(offset);
  const std::size_t bytes = unicode ? count * 2 : count;
  if (!file.has(offset + 2, bytes)) return false;
  text = EncodedText{file.bytes().subspan(offset + 2, bytes), unicode, true};
  offset += 2 + bytes;
  return true;
}

struct StringData {
  EncodedText name, relativePath, workingDir, arguments, iconLocation;
  bool complete = true;
  std::size_t end = 0;
};

StringData readStringData(ByteView file, std::size_t offset, std::uint32_t flags) {
  StringData strings;
  const bool unicode = (flags & kIsUnicode) != 0;
  const std::pair<std::uint32_t, EncodedText*> order[] = {
      {kHasName, &strings.name},
      {kHasRelativePath, &strings.relativePath},
      {kHasWorkingDir, &strings.workingDir},
      {kHasArguments, &strings.arguments},
      {kHasIconLocation, &strings.iconLocation},
  };
  for (const auto& [flag, text] : order) {
    if ((flags & flag) && !readString(file, offset, unicode, *text)) {
      strings.complete = false;
      break;
    }
  }
  strings.end = offset;
  return strings;
}

void appendLinkInfoPath(std::string& out, const LinkInfo& info, bool network, unsigned codePage) {
  if (network) {
    info.netName.appendTo(out, codePage);
    if (out.empty() || out.back() != '\\') out.push_back('\\');
  } else {
    info.localBasePath.appendTo(out, codePage);
  }
  info.commonPathSuffix.appendTo(out, codePage);
}

void fillDetails(LinkDetails& details, std::uint32_t flags, const TargetData& target, const LinkInfo& linkInfo,
                 const StringData& strings, const ExtraData& extra, unsigned codePage) {
  details.linkFlags = flags;
  if (target.hasIdList) appendIdListPath(details.idListPath, target.idList, codePage);
  details.localBasePath = linkInfo.localBasePath.decode(codePage);
  details.commonPathSuffix = linkInfo.commonPathSuffix.decode(codePage);
  details.netName = linkInfo.netName.decode(codePage);
  details.deviceName = linkInfo.deviceName.decode(codePage);
  details.volumeLabel = linkInfo.volumeLabel.decode(codePage);
  details.driveType = linkInfo.driveType;
  details.driveSerialNumber = linkInfo.driveSerialNumber;
  details.relativePath = strings.relativePath.decode(codePage);
  details.environmentTarget = extra.environmentTarget.decode(codePage);
  details.darwinId = extra.darwinId.decode(codePage);
  details.specialFolderId = extra.hasSpecialFolder ? extra.specialFolderId : 0;
  details.hasKnownFolder = extra.hasKnownFolder;
}

}  // namespace

bool parseShortcut(std::span<const std::byte> data, ShortcutInfo& info, const ParseOptions& options,
                   LinkDetails* details) {
  const ByteView file(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
  // Cleared rather than replaced, so a reused record keeps its strings' storage.
  for (std::string* text : {&info.target, &info.arguments, &info.workingDirectory, &info.description, &info.iconLocation}) {
    text->clear();
  }
  info.iconIndex = 0;
  info.hotKey = 0;
  info.showCommand = 0;
  info.targetFindData = FindData{};
  info.source = TargetSource::None;
  if (!isShellLink(file)) return false;
  const unsigned codePage = options.codePage;
  const std::uint32_t flags = file.u32(0x14);
  readHeader(file, info);

  const TargetData target = locateTargetData(file, flags);
  LinkInfo linkInfo;
  if (target.hasLinkInfo && !(flags & kForceNoLinkInfo)) linkInfo = parseLinkInfo(target.linkInfo);
  StringData strings;
  ExtraData extra;
  if (target.complete) {
    strings = readStringData(file, target.end, flags);
    if (strings.complete) extra = parseExtraData(file.sub(strings.end));
  }
  strings.name.appendTo(info.description, codePage);
  strings.workingDir.appendTo(info.workingDirectory, codePage);
  strings.arguments.appendTo(info.arguments, codePage);
  strings.iconLocation.appendTo(info.iconLocation, codePage);
  if (details) fillDetails(*details, flags, target, linkInfo, strings, extra, codePage);

  // A file cut off inside its target data gives no target: what is left cannot be trusted.
  if (!target.complete) return true;
  std::string& out = info.target;
  if (linkInfo.hasNetwork) {
    appendLinkInfoPath(out, linkInfo, true, codePage);
    info.source = TargetSource::Unc;
  } else if (target.hasIdList && appendIdListPath(out, target.idList, codePage)) {
    info.source = TargetSource::IdList;
  } else if (linkInfo.hasLocalPath && !(linkInfo.localBasePath.empty() && linkInfo.commonPathSuffix.empty())) {
    appendLinkInfoPath(out, linkInfo, false, codePage);
    info.source = TargetSource::LocalPath;
  } else if (!extra.environmentTarget.empty()) {
    extra.environmentTarget.appendTo(out, codePage);
    if (out.find('%') != std::string::npos) {
      auto expanded = options.expandEnvironment ? options.expandEnvironment(out)
                                                : platform::expandProfileEnvironment(out);
      if (expanded) out = std::move(*expanded);
    }
    info.source = TargetSource::EnvBlock;
  }
  return true;
}

bool parseShortcut(std::string_view data, ShortcutInfo& info, const ParseOptions& options, LinkDetails* details) {
  return parseShortcut(std::as_bytes(std::span<const char>(data.data(), data.size())), info, options, details);
}

std::string_view targetSourceName(TargetSource source) {
  switch (source) {
    case TargetSource::Unc:
      return "unc";
    case TargetSource::IdList:
      return "idlist";
    case TargetSource::LocalPath:
      return "localpath";
    case TargetSource::EnvBlock:
      return "envblock";
    case TargetSource::None:
      break;
  }
  return "none";
}

}  // namespace zendrift::shortcut
