// The status line after a removal: when every shortcut that stayed failed alike, it says why.
#include <gtest/gtest.h>

#include "platform/trash.h"
#include "ui/work_messages.h"

namespace zendrift::ui {
namespace {

TEST(WorkMessages, ShortcutsThatAllStayedForOneReasonSayItAndMixedReasonsLeaveItToTheHints) {
  scan::RemovalReport report;
  report.failures = {{"/home/ann/.wine/drive_c/users/ann/Desktop/a.lnk", platform::TrashError::noWineTrash, false},
                     {"/home/ann/.wine/drive_c/users/ann/Desktop/b.lnk", platform::TrashError::noWineTrash, false}};
  EXPECT_EQ(removalStatusText(report, scan::Disposal::trash),
            "Idle. 2 shortcut(s) could not be deleted. Reason: Wine has no Recycle Bin here: it needs the folder "
            "~/.local/share.");
  report.failures.push_back({"/home/ann/c.lnk", std::make_error_code(std::errc::permission_denied), false});
  EXPECT_EQ(removalStatusText(report, scan::Disposal::trash), "Idle. 3 shortcut(s) could not be deleted.");
}

}  // namespace
}  // namespace zendrift::ui
