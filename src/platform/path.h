// Path terms in two styles: the host's own paths, and Windows paths as shortcuts store them.
//
// On Linux the folders Zendrift walks are POSIX paths while shortcut targets are Windows paths,
// so every term takes the style it works in. Paths are bytes (UTF-8): the delimiters looked for
// are ASCII and never occur inside a multi-byte character.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::platform {

enum class PathStyle { Posix, Windows };

#ifdef _WIN32
inline constexpr PathStyle kNativeStyle = PathStyle::Windows;
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr PathStyle kNativeStyle = PathStyle::Posix;
inline constexpr char kPathSeparator = '/';
#endif

constexpr char separatorOf(PathStyle style) { return style == PathStyle::Windows ? '\\' : '/'; }

// The folder delimiter of a style. The path terms of shortcut targets count only the backslash.
constexpr bool isSeparator(char c, PathStyle style = kNativeStyle) { return c == separatorOf(style); }

bool hasTrailingSeparator(std::string_view path, PathStyle style = kNativeStyle);
std::string withTrailingSeparator(std::string_view path, PathStyle style = kNativeStyle);
// Removes one trailing delimiter, except where the path is a root ("/", "C:\", "\").
std::string withoutTrailingSeparator(std::string_view path, PathStyle style = kNativeStyle);

// `name` inside `folder`: one delimiter between them, none added when `folder` ends in one.
std::string join(std::string_view folder, std::string_view name, PathStyle style = kNativeStyle);

// The text after the last delimiter (or drive colon on Windows).
std::string_view fileName(std::string_view path, PathStyle style = kNativeStyle);
// The text up to and including the last delimiter (or drive colon on Windows).
std::string_view withoutFileName(std::string_view path, PathStyle style = kNativeStyle);
// The text before the last delimiter, without it; a root keeps its delimiter.
std::string parentPath(std::string_view path, PathStyle style = kNativeStyle);
// From the last "." to the end, provided no delimiter (or ":" on Windows) follows that dot.
std::string_view extension(std::string_view path, PathStyle style = kNativeStyle);

// The drive part of a Windows path: "C:" when the second character is ":", else for a path
// that begins with two backslashes the server and share ("\\server\share", or the whole path
// when nothing follows the share), else empty.
std::string_view windowsDrivePart(std::string_view path);

}  // namespace zendrift::platform
