// Runs a Windows program and captures its output through files.
#include "windows_program_run.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/win32/win32_text.h"
#include "temp_dir.h"

namespace zendrift::testing::win32 {

namespace {

HANDLE inheritableFile(const std::wstring& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE file = ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + platform::win32::toUtf8(path));
  return file;
}

}  // namespace

std::wstring quoteArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
  // Backslashes count only before a quote: double them there, and before the closing quote.
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments) {
  TempDir capture;
  const std::wstring outPath = capture.path().wstring() + L"\\out";
  const std::wstring errPath = capture.path().wstring() + L"\\err";
  const std::wstring programW = platform::win32::toWide(program);
  std::wstring commandLine = quoteArgument(programW);
  for (const std::string& argument : arguments) commandLine += L" " + quoteArgument(platform::win32::toWide(argument));

  const HANDLE input = inheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
  const HANDLE output = inheritableFile(outPath, GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE error = inheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = error;
  PROCESS_INFORMATION process{};
  const BOOL started = ::CreateProcessW(programW.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  ::CloseHandle(input);
  ::CloseHandle(output);
  ::CloseHandle(error);
  if (!started) throw std::runtime_error("cannot start " + program + ": " + std::to_string(::GetLastError()));
  ::WaitForSingleObject(process.hProcess, INFINITE);
  ProgramResult result;
  ::GetExitCodeProcess(process.hProcess, &result.exitCode);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  // The C library writes text mode: take the carriage returns back out.
  for (auto [path, text] : {std::pair{outPath, &result.out}, std::pair{errPath, &result.err}}) {
    const std::string raw = readFile(std::filesystem::path(path));
    for (const char c : raw) {
      if (c != '\r') text->push_back(c);
    }
  }
  return result;
}

std::string zendriftExecutable() {
  const char* binary = std::getenv("ZENDRIFT_BIN");
  if (!binary || !*binary) throw std::runtime_error("ZENDRIFT_BIN is not set");
  return binary;
}

}  // namespace zendrift::testing::win32
