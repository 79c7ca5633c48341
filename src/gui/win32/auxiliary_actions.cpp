// The folder dialog, help, the update check and the maker's web site, through the shell; what
// the shell cannot open is said in a box.
#include "gui/win32/auxiliary_actions.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <system_error>

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/win32/win32_text.h"

#ifndef ZENDRIFT_WEB_HOST
#define ZENDRIFT_WEB_HOST "www.zendrift.org"
#endif

namespace zendrift::win32 {
namespace {

using platform::win32::toUtf8;
using platform::win32::toWide;

constexpr std::string_view kManualFileName = "manual.html";
constexpr std::string_view kUpdateCheckerFileName = "verprobe.exe";

std::string homePageAddress() { return std::string("https://") + ZENDRIFT_WEB_HOST; }

struct BrowseStart {
  HWND owner;
  std::wstring title;
  std::wstring folder;
};

// Where a window of `size` sits centred on `area`; one larger than the area keeps its top-left
// corner, and with it the caption, on the area.
POINT centredOn(const RECT& area, SIZE size) {
  return {std::max<LONG>(area.left, area.left + (area.right - area.left - size.cx) / 2),
          std::max<LONG>(area.top, area.top + (area.bottom - area.top - size.cy) / 2)};
}

int CALLBACK browseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message != BFFM_INITIALIZED) return 0;
  const auto* start = reinterpret_cast<const BrowseStart*>(data);
  SetWindowTextW(dialog, start->title.c_str());
  // Centred on the work area of the screen the window is on (the task bar left out, wherever it
  // stands), whatever size the shell gives the dialog.
  RECT own{};
  MONITORINFO screen{};
  screen.cbSize = sizeof screen;
  HMONITOR monitor = MonitorFromWindow(start->owner ? start->owner : dialog, MONITOR_DEFAULTTONEAREST);
  if (GetWindowRect(dialog, &own) && GetMonitorInfoW(monitor, &screen)) {
    const POINT at = centredOn(screen.rcWork, {own.right - own.left, own.bottom - own.top});
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  if (!start->folder.empty())
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start->folder.c_str()));
  return 0;
}

// Opens `target` with its program; when the shell cannot (no web browser, say), says so in a
// box instead of leaving the click without an answer.
void shellOpen(HWND owner, const std::string& target, std::string_view what) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, L"open", toWide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return;
  const DWORD error = GetLastError();
  std::string reason;
  switch (result) {
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE:
      reason = "no web browser or other program is set to open it.";
      break;
    case SE_ERR_FNF:
    case SE_ERR_PNF:
      reason = "it is not there.";
      break;
    default:
      reason = std::system_category().message(static_cast<int>(error ? error : ERROR_NO_ASSOCIATION));
      break;
  }
  const std::string text = "Cannot open " + std::string(what) + " " + target + ": " + reason;
  MessageBoxW(owner, toWide(text).c_str(), L"Zendrift", MB_OK | MB_ICONWARNING);
}

}  // namespace

std::string executableFolder() {
  const std::string executable = platform::executablePath();
  return std::string(platform::withoutFileName(executable));
}

std::string browseForFolder(HWND owner, std::string_view title, std::string_view startFolder) {
  // A relative or vanished folder would leave the dialog wherever the process happens to be.
  BrowseStart start{owner, toWide(title), {}};
  if (!startFolder.empty() && platform::folderExists(startFolder)) start.folder = toWide(startFolder);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = start.title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = browseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&start);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return {};
  std::wstring path(32768, L'\0');
  const bool converted = SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
  CoTaskMemFree(chosen);
  if (!converted) return {};
  path.resize(wcslen(path.c_str()));
  return toUtf8(path);
}

void openHelp(HWND owner, std::string_view folder) {
  shellOpen(owner, std::string(folder) + std::string(kManualFileName), "the help page");
}

void checkForUpdates(HWND owner, std::string_view folder) {
  const std::string checker = std::string(folder) + std::string(kUpdateCheckerFileName);
  if (platform::fileExists(checker)) {
    shellOpen(owner, checker, "the update checker");
  } else {
    shellOpen(owner, homePageAddress() + "/zendrift/", "the product page");
  }
}

void openHomePage(HWND owner) { shellOpen(owner, homePageAddress(), "the web site"); }

}  // namespace zendrift::win32
