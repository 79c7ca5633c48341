// The application object's names and icon.
#include "gui/qt/zendrift_application.h"

#include <QIcon>

namespace zendrift::qt {

ZendriftApplication::ZendriftApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("Zendrift");
  setDesktopFileName("zendrift");
  // Every window of the program shows it: the task bar, the window list and Alt+Tab.
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/48x48/zendrift.png"));
  icon.addFile(QStringLiteral(":/icons/256x256/zendrift.png"));
  setWindowIcon(icon);
}

}  // namespace zendrift::qt
