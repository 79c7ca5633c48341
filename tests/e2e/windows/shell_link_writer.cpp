// Shortcuts saved through the system's shell-link object.
#include "shell_link_writer.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <stdexcept>

#include "platform/win32/win32_text.h"

namespace zendrift::testing::win32 {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  Interface** out() { return &pointer_; }
  Interface* operator->() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

void check(HRESULT result, const char* what) {
  if (FAILED(result)) throw std::runtime_error(std::string(what) + " failed: " + std::to_string(result));
}

}  // namespace

ComApartment::ComApartment() { initialised_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }

ComApartment::~ComApartment() {
  if (initialised_) ::CoUninitialize();
}

void saveShellLink(const std::string& linkPath, const std::string& target) {
  ComPtr<IShellLinkW> link;
  check(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                           reinterpret_cast<void**>(link.out())),
        "CoCreateInstance(ShellLink)");
  check(link->SetPath(platform::win32::toWide(target).c_str()), "IShellLinkW::SetPath");
  ComPtr<IPersistFile> file;
  check(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.out())), "QueryInterface(IPersistFile)");
  check(file->Save(platform::win32::toWide(linkPath).c_str(), TRUE), "IPersistFile::Save");
}

}  // namespace zendrift::testing::win32
