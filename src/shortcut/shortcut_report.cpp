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
  line(out, "File", info.FileName);
  line(out, "Target", info.Target);
  line(out, "Arguments", info.Arguments);
  line(out, "WorkingDirectory", info.WorkingDirectory);
  line(out, "Description", info.Description);
  line(out, "IconLocation", info.IconLocation);
  line(out, "IconIndex", std::to_string(info.IconIndex));
  line(out, "HotKey", hex(info.HotKey, 4));
  line(out, "ShowCommand", std::to_string(info.ShowCommand));
  const FindData& find = info.TargetFindData;
  line(out, "FileAttributes", hex(find.FileAttributes, 8));
  line(out, "CreationTime", std::to_string(find.CreationTime));
  line(out, "LastAccessTime", std::to_string(find.LastAccessTime));
  line(out, "LastWriteTime", std::to_string(find.LastWriteTime));
  line(out, "FileSize", std::to_string(find.FileSize));
  line(out, "Source", targetSourceName(info.Source));
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
  return escapeTsv(info.FileName) + '\t' + escapeTsv(info.Target) + '\t' + std::string(targetSourceName(info.Source)) + '\n';
}

}  // namespace zendrift::shortcut
