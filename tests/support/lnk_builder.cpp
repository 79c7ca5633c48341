// Shell-link files built byte by byte for tests.
#include "lnk_builder.h"

#include <cctype>

#include "temp_dir.h"

namespace zendrift::testing {

namespace {

void put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}
void put64(std::string& out, std::uint64_t value) {
  put32(out, static_cast<std::uint32_t>(value));
  put32(out, static_cast<std::uint32_t>(value >> 32));
}
void set32(std::string& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// An 8.3 form of a long name, enough for tests: upper case ASCII, "~1" when shortened.
std::string shortNameOf(std::string_view longName) {
  std::string base(longName.substr(0, longName.rfind('.')));
  std::string ext = longName.rfind('.') == std::string_view::npos ? "" : std::string(longName.substr(longName.rfind('.') + 1));
  auto clean = [](std::string s, std::size_t max) {
    std::string r;
    for (char c : s) {
      if (static_cast<unsigned char>(c) < 0x80 && c != ' ' && c != '.') r.push_back(static_cast<char>(std::toupper(c)));
    }
    if (r.size() > max) r = r.substr(0, max - 2) + "~1";
    return r.empty() ? std::string("X~1") : r;
  };
  std::string shortName = clean(base, 8);
  if (!ext.empty()) shortName += "." + clean(ext, 3).substr(0, 3);
  return shortName;
}

// The environment-variable and Darwin blocks share one layout: size 0x314, the signature, then
// the text in 260 ANSI bytes and 260 UTF-16 characters.
std::string stringPairBlock(std::uint32_t signature, std::string_view ansi, std::string_view unicode) {
  std::string block;
  put32(block, 0x314);
  put32(block, signature);
  std::string narrow(ansi);
  narrow.resize(260, '\0');
  std::string wide = LnkBuilder::utf16(unicode);
  wide.resize(520, '\0');
  return block + narrow + wide;
}

}  // namespace

const LnkBuilder::Guid LnkBuilder::kMyComputer = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                                  0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
const LnkBuilder::Guid LnkBuilder::kNetwork = {0x60, 0x2C, 0x8D, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                               0xA2, 0xD7, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
// {21EC2020-3AEA-1069-A2DD-08002B30309D}
const LnkBuilder::Guid LnkBuilder::kControlPanel = {0x20, 0x20, 0xEC, 0x21, 0xEA, 0x3A, 0x69, 0x10,
                                                    0xA2, 0xDD, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

std::string LnkBuilder::utf16(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    char32_t c = b;
    std::size_t extra = 0;
    if (b >= 0xF0) {
      c = b & 0x07;
      extra = 3;
    } else if (b >= 0xE0) {
      c = b & 0x0F;
      extra = 2;
    } else if (b >= 0xC0) {
      c = b & 0x1F;
      extra = 1;
    }
    for (std::size_t k = 1; k <= extra && i + k < utf8.size(); ++k) c = (c << 6) | (utf8[i + k] & 0x3F);
    i += extra + 1;
    if (c >= 0x10000) {
      c -= 0x10000;
      put16(out, 0xD800 + (c >> 10));
      put16(out, 0xDC00 + (c & 0x3FF));
    } else {
      put16(out, c);
    }
  }
  return out;
}

LnkBuilder& LnkBuilder::rootFolder(const Guid& guid) {
  std::string item;
  item.push_back('\x1F');
  item.push_back('\x50');  // sort index
  item.append(reinterpret_cast<const char*>(guid.data()), guid.size());
  return rawItem(item);
}

LnkBuilder& LnkBuilder::volume(std::string_view name) {
  std::string item;
  item.push_back('\x2F');
  std::string padded(name);
  padded.resize(22, '\0');
  item += padded;
  return rawItem(item);
}

LnkBuilder& LnkBuilder::fileEntry(std::string_view longName, bool folder, std::string_view shortName) {
  std::string item;
  item.push_back(folder ? '\x31' : '\x32');
  item.push_back('\0');
  put32(item, folder ? 0 : 1234);        // size
  put32(item, 0x5C4A3B21);               // modification time, FAT form
  put16(item, folder ? 0x10 : 0x20);     // attributes
  item += shortName.empty() ? shortNameOf(longName) : std::string(shortName);
  item.push_back('\0');
  if ((item.size() + 2) % 2) item.push_back('\0');  // the extension starts on an even offset
  const std::size_t blockStart = item.size() + 2;   // offsets count the item's size field
  std::string block;
  put16(block, 0);  // size, set below
  put16(block, 9);  // version
  put32(block, 0xBEEF0004);
  put32(block, 0x5C4A3B21);  // creation
  put32(block, 0x5C4A3B21);  // access
  put16(block, 0x2E);        // identifier
  put16(block, 0);
  put64(block, 0x0001000000001234ULL);  // file reference
  put64(block, 0);
  put16(block, 0);  // long string size
  put32(block, 0);
  put32(block, 0);
  block += utf16(longName);
  put16(block, 0);
  put16(block, static_cast<std::uint32_t>(blockStart));
  block[0] = static_cast<char>(block.size() & 0xFF);
  block[1] = static_cast<char>(block.size() >> 8);
  item += block;
  return rawItem(item);
}

LnkBuilder& LnkBuilder::plainFileEntry(std::string_view ansiName, bool folder) {
  std::string item;
  item.push_back(folder ? '\x31' : '\x32');
  item.push_back('\0');
  put32(item, 0);
  put32(item, 0);
  put16(item, folder ? 0x10 : 0x20);
  item += ansiName;
  item.push_back('\0');
  if (item.size() % 2) item.push_back('\0');
  put16(item, 0);  // no extension block
  return rawItem(item);
}

LnkBuilder& LnkBuilder::networkLocation(std::string_view location) {
  std::string item;
  item.push_back(location.find('\\', 2) == std::string_view::npos ? '\x42' : '\x43');
  item.push_back('\0');
  item.push_back('\x01');
  item += location;
  item.push_back('\0');
  item.push_back('\0');
  return rawItem(item);
}

LnkBuilder& LnkBuilder::rawItem(std::string_view bytes) {
  hasIdList_ = true;
  items_.emplace_back(bytes);
  return *this;
}

LnkBuilder& LnkBuilder::emptyIdList() {
  hasIdList_ = true;
  return *this;
}

LnkBuilder& LnkBuilder::localPath(std::string_view basePath, std::string_view suffix, bool unicode) {
  linkInfo_.basePath = std::string(basePath);
  linkInfo_.suffix = suffix;
  linkInfo_.unicode = linkInfo_.unicode || unicode;
  return *this;
}

LnkBuilder& LnkBuilder::networkPath(std::string_view netName, std::string_view suffix, std::string_view device,
                                    bool unicode) {
  linkInfo_.netName = std::string(netName);
  linkInfo_.suffix = suffix;
  linkInfo_.device = device;
  linkInfo_.unicode = linkInfo_.unicode || unicode;
  return *this;
}

LnkBuilder& LnkBuilder::volumeLabel(std::string_view label, std::uint32_t driveType, std::uint32_t serial) {
  linkInfo_.label = label;
  linkInfo_.driveType = driveType;
  linkInfo_.serial = serial;
  return *this;
}

LnkBuilder& LnkBuilder::forceNoLinkInfo() {
  forceNoLinkInfo_ = true;
  return *this;
}

LnkBuilder& LnkBuilder::name(std::string_view text) { name_ = std::string(text); return *this; }
LnkBuilder& LnkBuilder::relativePath(std::string_view text) { relativePath_ = std::string(text); return *this; }
LnkBuilder& LnkBuilder::workingDirectory(std::string_view text) { workingDir_ = std::string(text); return *this; }
LnkBuilder& LnkBuilder::arguments(std::string_view text) { arguments_ = std::string(text); return *this; }
LnkBuilder& LnkBuilder::iconLocation(std::string_view text) { iconLocation_ = std::string(text); return *this; }
LnkBuilder& LnkBuilder::ansiStrings() { unicodeStrings_ = false; return *this; }

LnkBuilder& LnkBuilder::environmentTarget(std::string_view ansi, std::string_view unicode) {
  extra_.push_back(stringPairBlock(0xA0000001, ansi, unicode));
  return *this;
}

LnkBuilder& LnkBuilder::darwinId(std::string_view id) {
  extra_.push_back(stringPairBlock(0xA0000006, id, id));
  return *this;
}

LnkBuilder& LnkBuilder::specialFolder(std::uint32_t id, std::uint32_t offset) {
  std::string block;
  put32(block, 0x10);
  put32(block, 0xA0000005);
  put32(block, id);
  put32(block, offset);
  extra_.push_back(block);
  return *this;
}

LnkBuilder& LnkBuilder::knownFolder(const Guid& id, std::uint32_t offset) {
  std::string block;
  put32(block, 0x1C);
  put32(block, 0xA000000B);
  block.append(reinterpret_cast<const char*>(id.data()), id.size());
  put32(block, offset);
  extra_.push_back(block);
  return *this;
}

LnkBuilder& LnkBuilder::unknownBlock(std::uint32_t signature, std::size_t size) {
  std::string block;
  put32(block, static_cast<std::uint32_t>(size));
  put32(block, signature);
  block.resize(size, '\x5A');
  extra_.push_back(block);
  return *this;
}

LnkBuilder& LnkBuilder::attributes(std::uint32_t value) { attributes_ = value; return *this; }
LnkBuilder& LnkBuilder::times(std::uint64_t creation, std::uint64_t access, std::uint64_t write) {
  times_[0] = creation;
  times_[1] = access;
  times_[2] = write;
  return *this;
}
LnkBuilder& LnkBuilder::fileSize(std::uint32_t value) { fileSize_ = value; return *this; }
LnkBuilder& LnkBuilder::iconIndex(std::int32_t value) { iconIndex_ = value; return *this; }
LnkBuilder& LnkBuilder::showCommand(std::int32_t value) { showCommand_ = value; return *this; }
LnkBuilder& LnkBuilder::hotKey(std::uint16_t value) { hotKey_ = value; return *this; }

std::string LnkBuilder::linkInfoBlock() const {
  const LinkInfoParts& p = linkInfo_;
  const bool local = p.basePath.has_value();
  const bool network = p.netName.has_value();
  const std::size_t headerSize = p.unicode ? 0x24 : 0x1C;
  std::string block(headerSize, '\0');
  set32(block, 4, static_cast<std::uint32_t>(headerSize));
  set32(block, 8, (local ? 1u : 0u) | (network ? 2u : 0u));
  if (local) {
    set32(block, 0x0C, static_cast<std::uint32_t>(block.size()));
    std::string volume;
    put32(volume, 0);
    put32(volume, p.driveType);
    put32(volume, p.serial);
    put32(volume, 0x10);
    volume += p.label;
    volume.push_back('\0');
    set32(volume, 0, static_cast<std::uint32_t>(volume.size()));
    block += volume;
    set32(block, 0x10, static_cast<std::uint32_t>(block.size()));
    block += *p.basePath;
    block.push_back('\0');
  }
  if (network) {
    set32(block, 0x14, static_cast<std::uint32_t>(block.size()));
    const std::size_t cnrlHeader = p.unicode ? 0x1C : 0x14;
    std::string cnrl(cnrlHeader, '\0');
    set32(cnrl, 4, 0x2 | (p.device.empty() ? 0u : 0x1u));
    set32(cnrl, 0x10, 0x00020000);  // WNNC_NET_LANMAN
    set32(cnrl, 8, static_cast<std::uint32_t>(cnrl.size()));
    cnrl += *p.netName;
    cnrl.push_back('\0');
    if (!p.device.empty()) {
      set32(cnrl, 12, static_cast<std::uint32_t>(cnrl.size()));
      cnrl += p.device;
      cnrl.push_back('\0');
    }
    if (p.unicode) {
      set32(cnrl, 0x14, static_cast<std::uint32_t>(cnrl.size()));
      cnrl += utf16(*p.netName);
      put16(cnrl, 0);
      if (!p.device.empty()) {
        set32(cnrl, 0x18, static_cast<std::uint32_t>(cnrl.size()));
        cnrl += utf16(p.device);
        put16(cnrl, 0);
      }
    }
    set32(cnrl, 0, static_cast<std::uint32_t>(cnrl.size()));
    block += cnrl;
  }
  set32(block, 0x18, static_cast<std::uint32_t>(block.size()));
  block += p.suffix;
  block.push_back('\0');
  if (p.unicode) {
    if (local) {
      set32(block, 0x1C, static_cast<std::uint32_t>(block.size()));
      block += utf16(*p.basePath);
      put16(block, 0);
    }
    set32(block, 0x20, static_cast<std::uint32_t>(block.size()));
    block += utf16(p.suffix);
    put16(block, 0);
  }
  set32(block, 0, static_cast<std::uint32_t>(block.size()));
  return block;
}

std::string LnkBuilder::build() const {
  const bool hasLinkInfo = linkInfo_.basePath || linkInfo_.netName;
  std::uint32_t flags = 0;
  if (hasIdList_) flags |= 0x1;
  if (hasLinkInfo) flags |= 0x2;
  if (name_) flags |= 0x4;
  if (relativePath_) flags |= 0x8;
  if (workingDir_) flags |= 0x10;
  if (arguments_) flags |= 0x20;
  if (iconLocation_) flags |= 0x40;
  if (unicodeStrings_) flags |= 0x80;
  if (forceNoLinkInfo_) flags |= 0x100;
  for (const std::string& block : extra_) {
    if (block.size() >= 8 && static_cast<unsigned char>(block[4]) == 0x01 && static_cast<unsigned char>(block[7]) == 0xA0) {
      flags |= 0x200;  // HasExpString
    }
  }

  std::string out;
  put32(out, 0x4C);
  static constexpr unsigned char kClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                               0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
  out.append(reinterpret_cast<const char*>(kClass), sizeof kClass);
  put32(out, flags);
  put32(out, attributes_);
  for (const std::uint64_t time : times_) put64(out, time);
  put32(out, fileSize_);
  put32(out, static_cast<std::uint32_t>(iconIndex_));
  put32(out, static_cast<std::uint32_t>(showCommand_));
  put16(out, hotKey_);
  out.append(10, '\0');

  if (hasIdList_) {
    std::string list;
    for (const std::string& item : items_) {
      put16(list, static_cast<std::uint32_t>(item.size() + 2));
      list += item;
    }
    put16(list, 0);
    put16(out, static_cast<std::uint32_t>(list.size()));
    out += list;
  }
  if (hasLinkInfo) out += linkInfoBlock();
  for (const auto* text : {&name_, &relativePath_, &workingDir_, &arguments_, &iconLocation_}) {
    if (!*text) continue;
    if (unicodeStrings_) {
      const std::string wide = utf16(**text);
      put16(out, static_cast<std::uint32_t>(wide.size() / 2));
      out += wide;
    } else {
      put16(out, static_cast<std::uint32_t>((*text)->size()));
      out += **text;
    }
  }
  for (const std::string& block : extra_) out += block;
  put32(out, 0);  // terminal block
  return out;
}

std::string LnkBuilder::writeTo(const std::filesystem::path& path) const {
  writeFile(path, build());
  return path.string();
}

}  // namespace zendrift::testing
