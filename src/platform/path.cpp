// Path terms shared by both platforms.
#include "platform/path.h"

namespace zendrift::platform {

namespace {

// Position just after the last delimiter (or drive colon on Windows), or 0.
std::size_t nameStart(std::string_view path, PathStyle style) {
  for (std::size_t i = path.size(); i > 0; --i) {
    const char c = path[i - 1];
    if (isSeparator(c, style) || (style == PathStyle::Windows && c == ':')) return i;
  }
  return 0;
}

bool isRoot(std::string_view path, PathStyle style) {
  if (style == PathStyle::Posix) return path == "/";
  if (path.size() == 1) return isSeparator(path[0], style);
  return path.size() == 3 && path[1] == ':' && isSeparator(path[2], style);
}

}  // namespace

bool hasTrailingSeparator(std::string_view path, PathStyle style) {
  return !path.empty() && isSeparator(path.back(), style);
}

std::string withTrailingSeparator(std::string_view path, PathStyle style) {
  std::string result(path);
  if (!hasTrailingSeparator(path, style)) result += separatorOf(style);
  return result;
}

std::string withoutTrailingSeparator(std::string_view path, PathStyle style) {
  if (hasTrailingSeparator(path, style) && !isRoot(path, style)) path.remove_suffix(1);
  return std::string(path);
}

std::string join(std::string_view folder, std::string_view name, PathStyle style) {
  std::string out(folder);
  if (!hasTrailingSeparator(folder, style)) out += separatorOf(style);
  out += name;
  return out;
}

std::string_view fileName(std::string_view path, PathStyle style) {
  return path.substr(nameStart(path, style));
}

std::string_view withoutFileName(std::string_view path, PathStyle style) {
  return path.substr(0, nameStart(path, style));
}

std::string parentPath(std::string_view path, PathStyle style) {
  std::string_view dir = withoutFileName(path, style);
  if (dir.size() > 1 && isSeparator(dir.back(), style)) {
    const std::string_view without = dir.substr(0, dir.size() - 1);
    const bool windowsRoot = style == PathStyle::Windows && without.size() == 2 && without[1] == ':';
    if (!windowsRoot) dir = without;
  }
  return std::string(dir);
}

std::string_view extension(std::string_view path, PathStyle style) {
  for (std::size_t i = path.size(); i > 0; --i) {
    const char c = path[i - 1];
    if (c == '.') return path.substr(i - 1);
    if (isSeparator(c, style) || (style == PathStyle::Windows && c == ':')) break;
  }
  return {};
}

std::string_view windowsDrivePart(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    const std::size_t serverEnd = path.find('\\', 2);
    if (serverEnd == std::string_view::npos) return path;
    const std::size_t shareEnd = path.find('\\', serverEnd + 1);
    return shareEnd == std::string_view::npos ? path : path.substr(0, shareEnd);
  }
  return {};
}

}  // namespace zendrift::platform
