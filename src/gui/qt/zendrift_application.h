// The application object, named "Zendrift" for the desktop and the window manager, with the
// program's icon for its windows.
#pragma once

#include <QApplication>

namespace zendrift::qt {

class ZendriftApplication : public QApplication {
 public:
  ZendriftApplication(int& argc, char** argv);
};

}  // namespace zendrift::qt
