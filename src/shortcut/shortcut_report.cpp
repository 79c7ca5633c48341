// Field and TSV lines for one read shortcut.
#include "shortcut/shortcut_report.h"

#include <cstdio>

namespace zendrift::shortcut {

namespace {

void line(std::string& out, std::string_view field, std::string_view value) {
  out.append(field).append(": ");
  // One field per line, whatever the link stores.
  for (const char c : value) {
    if (c == '\n') {
      out.append("\\n");
    } else if (c == '\r') {
      out.append("\\r");
    } else {
      out.push_back(c);
    }
  }
  out.push_back('\n');
}

std::string hex(std::uint64_t value, int digits) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
  return text;
}

}  // namespace

std::string formatShortcutFields(const ShortcutInfo& info) {
  std::string out;
  line(out, "File", info.fileName);
  line(out, "Target", info.target);
  line(out, "Arguments", info.arguments);
  line(out, "WorkingDirectory", info.workingDirectory);
  line(out, "Description", info.description);
  line(out, "IconLocation", info.iconLocation);
  line(out, "IconIndex", std::to_string(info.iconIndex));
  line(out, "HotKey", hex(info.hotKey, 4));
  line(out, "ShowCommand", std::to_string(info.showCommand));
  const FindData& find = info.targetFindData;
  line(out, "FileAttributes", hex(find.fileAttributes, 8));
  line(out, "CreationTime", std::to_string(find.creationTime));
  line(out, "LastAccessTime", std::to_string(find.lastAccessTime));
  line(out, "LastWriteTime", std::to_string(find.lastWriteTime));
  line(out, "FileSize", std::to_string(find.fileSize));
  line(out, "Source", targetSourceName(info.source));
  out.push_back('\n');
  return out;
}

std::string escapeTsv(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    switch (c) {
      case '\t':
        out.append("\\t");
        break;
      case '\n':
        out.append("\\n");
        break;
      case '\r':
        out.append("\\r");
        break;
      case '\\':
        out.append("\\\\");
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

std::string formatShortcutTsv(const ShortcutInfo& info) {
  return escapeTsv(info.fileName) + '\t' + escapeTsv(info.target) + '\t' + std::string(targetSourceName(info.source)) + '\n';
}

}  // namespace zendrift::shortcut
