// Values under HKEY_LOCAL_MACHINE read as text, as the well-known folders need them.
#include <windows.h>

#include <cstring>

#include "profile/windows_profile.h"
#include "platform/win32/win32_text.h"

namespace zendrift::profile {

namespace {

// Closes a registry key when it goes out of scope.
class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_) ::RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::optional<std::string> machineRegistryText(std::string_view key, std::string_view name, const ShortcutProfile&,
                                               RegistryCache&) {
  RegistryKey opened;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, platform::win32::toWide(key).c_str(), 0, KEY_READ, opened.out()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::wstring valueName = platform::win32::toWide(name);
  // The value may grow between asking its size and reading it: ask again until it fits.
  DWORD type = 0;
  DWORD size = 0;
  std::string data;
  for (int attempt = 0; attempt < 8; ++attempt) {
    if (::RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    data.resize(size);
    const LSTATUS status = ::RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type,
                                              reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    data.resize(size);
    break;
  }
  if (type == REG_BINARY) {
    // Read as text the way the 8-bit service reads it: the bytes less the last, its terminator.
    if (!data.empty()) data.pop_back();
    return data;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::wstring text(data.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
  // Stored strings usually end in NUL, but nothing forces them to; stop at the first one.
  if (const std::size_t end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
  return platform::win32::toUtf8(text);
}

}  // namespace zendrift::profile
