// The file version of an executable on Windows: its version resource's fixed record.
#include <windows.h>

#include <vector>

#include "platform/file_version.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

std::optional<FileVersion> readFileVersion(std::string_view path) {
  const std::wstring file = win32::toWide(path);
  if (file.empty()) return std::nullopt;
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<std::byte> info(size);
  if (!::GetFileVersionInfoW(file.c_str(), 0, size, info.data())) return std::nullopt;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
      length < sizeof(VS_FIXEDFILEINFO) || fixed->dwSignature != VS_FFI_SIGNATURE) {
    return std::nullopt;
  }
  return FileVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                     LOWORD(fixed->dwFileVersionLS)};
}

}  // namespace zendrift::platform
