// The application object: named "Zendrift", and showing any error that escapes an event
// handler in an error box while the event loop goes on.
#pragma once

#include <QApplication>
#include <exception>

namespace zendrift::app {

class ZendriftApplication : public QApplication {
 public:
  ZendriftApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // The error box: the error's message under the title "Zendrift", modal, over the active window.
  static void showException(const std::exception_ptr& error);
};

}  // namespace zendrift::app
