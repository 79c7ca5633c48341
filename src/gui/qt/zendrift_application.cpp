// The application object's names.
#include "gui/qt/zendrift_application.h"

namespace zendrift::qt {

ZendriftApplication::ZendriftApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("Zendrift");
  setDesktopFileName("zendrift");
}

}  // namespace zendrift::qt
