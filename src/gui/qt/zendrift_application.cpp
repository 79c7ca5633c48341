// Where Qt delivers events, errors from the handlers are caught and shown.
#include "gui/qt/zendrift_application.h"

#include <QMessageBox>
#include <QPointer>

namespace zendrift::app {

ZendriftApplication::ZendriftApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("Zendrift");
  setDesktopFileName("zendrift");
}

bool ZendriftApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    showException(std::current_exception());
    return false;
  }
}

void ZendriftApplication::showException(const std::exception_ptr& error) {
  QString message;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    message = QString::fromUtf8(e.what());
  } catch (...) {
    message = "Unknown error.";
  }
  QMessageBox box(QMessageBox::Critical, "Zendrift", message, QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace zendrift::app
