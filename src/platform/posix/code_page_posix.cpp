// Code page conversion on POSIX systems through the C library's iconv.
#include <iconv.h>
#include <locale.h>

#include "platform/code_page.h"

namespace zendrift::platform {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One converter per thread, kept for the last code page asked for.
class Converter {
 public:
  Converter() = default;
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() { close(); }

  bool append(std::string& out, std::span<const std::uint8_t> bytes, unsigned codePage) {
    if (codePage != codePage_) {
      close();
      codePage_ = codePage;
      const std::string name = "CP" + std::to_string(codePage);
      handle_ = ::iconv_open("UTF-8", name.c_str());
    }
    if (handle_ == kNoConverter) return false;
    ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    const std::size_t start = out.size();
    out.resize(start + bytes.size() * 4 + 4);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inLeft = bytes.size();
    char* dest = out.data() + start;
    std::size_t destLeft = out.size() - start;
    const bool ok =
        ::iconv(handle_, &in, &inLeft, &dest, &destLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
    out.resize(ok ? out.size() - destLeft : start);
    return ok;
  }

 private:
  void close() {
    if (handle_ != kNoConverter) ::iconv_close(handle_);
    handle_ = kNoConverter;
  }
  unsigned codePage_ = 0;
  iconv_t handle_ = kNoConverter;
};

}  // namespace

std::optional<unsigned> systemAnsiCodePage() {
  // Wine 8 takes the locale the environment names only when the C library can load it; else it
  // stays in the C locale, whose code page is Windows-1252. Otherwise the locale's name decides.
  const locale_t named = ::newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
  if (named == static_cast<locale_t>(nullptr)) return 1252u;
  ::freelocale(named);
  return std::nullopt;
}

bool appendFromCodePage(std::string& out, std::span<const std::uint8_t> bytes, unsigned codePage) {
  thread_local Converter converter;
  return converter.append(out, bytes, codePage);
}

}  // namespace zendrift::platform
