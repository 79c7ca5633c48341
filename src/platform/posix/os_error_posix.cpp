// The Windows-numbered error category of the POSIX back end: the system's texts worded as Windows
// words them, so that a message reads the same on both platforms, and each code's portable meaning.
#include <string>

#include "platform/os_error.h"

namespace zendrift::platform {

namespace {

class WindowsNumberedCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "windows"; }
  std::string message(int code) const override { return systemErrorText(static_cast<std::uint32_t>(code)); }
  std::error_condition default_error_condition(int code) const noexcept override {
    switch (static_cast<OsErrc>(code)) {
      case OsErrc::fileNotFound:
      case OsErrc::pathNotFound: return std::errc::no_such_file_or_directory;
      case OsErrc::tooManyOpenFiles: return std::errc::too_many_files_open;
      case OsErrc::accessDenied: return std::errc::permission_denied;
      case OsErrc::notEnoughMemory: return std::errc::not_enough_memory;
      case OsErrc::fileExists: return std::errc::file_exists;
      case OsErrc::invalidParameter: return std::errc::invalid_argument;
      case OsErrc::dirNotEmpty: return std::errc::directory_not_empty;
      case OsErrc::filenameTooLong: return std::errc::filename_too_long;
      case OsErrc::ioDevice: return std::errc::io_error;
      case OsErrc::cantResolveFilename: return std::errc::too_many_symbolic_link_levels;
      default: return {code, *this};
    }
  }
};

}  // namespace

const std::error_category& osCategory() noexcept {
  static const WindowsNumberedCategory category;
  return category;
}

std::string systemErrorText(std::uint32_t code) {
  switch (code) {
    case 0: return "The operation completed successfully.";
    case 2: return "The system cannot find the file specified.";
    case 3: return "The system cannot find the path specified.";
    case 4: return "The system cannot open the file.";
    case 5: return "Access is denied.";
    case 8: return "Not enough memory resources are available to process this command.";
    case 18: return "There are no more files.";
    case 31: return "A device attached to the system is not functioning.";
    case 32: return "The process cannot access the file because it is being used by another process.";
    case 80: return "The file exists.";
    case 87: return "The parameter is incorrect.";
    case 145: return "The directory is not empty.";
    case 206: return "The filename or extension is too long.";
    case 267: return "The directory name is invalid.";
    case 1117: return "The request could not be performed because of an I/O device error.";
    case 1921: return "The name of the file cannot be resolved by the system.";
    default: return "Unknown error " + std::to_string(code) + ".";
  }
}

}  // namespace zendrift::platform
