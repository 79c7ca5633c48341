// The window's small actions: the folder dialog, help, the update check and the maker's site.
#pragma once

#include <QPoint>
#include <QSize>
#include <string>
#include <string_view>

#include "platform/host_conventions.h"

class QWidget;

namespace zendrift::qt {

// The folder of the running executable, with its trailing delimiter: companion files live there.
std::string executableFolder();

// The help page and the update checker beside the executable.
inline constexpr std::string_view kManualFileName = "manual.html";
inline constexpr std::string_view kUpdateCheckerFileName =
    platform::kExecutableSuffix.empty() ? std::string_view("verprobe") : std::string_view("verprobe.exe");

// The maker's home page (the site's root, no path) and the product page ("/zendrift/").
std::string homePageAddress();
std::string productPageAddress();

// Where the folder dialog goes: centred on a rectangle of the work area's size whose corner is
// the screen's top-left corner. Integer halves round toward zero; a dialog larger than the work
// area gets a negative coordinate.
QPoint centerBrowseDialog(QSize dialog, QSize workArea);

// Shows a folder dialog (folders of the file system only) and returns the chosen folder, or
// the empty string when the user cancels. It opens at `startFolder` when that is an existing
// folder, else at the user's home folder; never at the process's current folder.
std::string browseForFolder(QWidget* owner, std::string_view title, std::string_view startFolder = {});

// Pages open with the desktop's handler (xdg-open); where there is none, a box over `owner`
// says so.
// Opens the help page in `folder` (with its trailing delimiter).
void openHelp(QWidget* owner, std::string_view folder);
// Starts the update checker in `folder` when it is a file there, else opens the product page.
void checkForUpdates(QWidget* owner, std::string_view folder);
// Opens the maker's home page.
void openHomePage(QWidget* owner);

}  // namespace zendrift::qt
