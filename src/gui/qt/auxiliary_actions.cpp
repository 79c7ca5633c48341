// The folder dialog, help, the update check and the maker's web site; none reports a failure.
#include "gui/qt/auxiliary_actions.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QProcess>
#include <QScreen>

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"

#ifndef ZENDRIFT_WEB_HOST
#define ZENDRIFT_WEB_HOST "www.zendrift.org"
#endif

namespace zendrift::qt {
namespace {

// Places the folder dialog once it is on screen, when its size is final.
class DialogPlacer : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* dialog = static_cast<QWidget*>(watched);
      if (const QScreen* screen = dialog->screen())
        dialog->move(centerBrowseDialog(dialog->frameGeometry().size(), screen->availableGeometry().size()));
    }
    return false;
  }
};

}  // namespace

std::string executableFolder() {
  const std::string executable = platform::executablePath();
  return std::string(platform::withoutFileName(executable));
}

std::string homePageAddress() { return std::string("https://") + ZENDRIFT_WEB_HOST; }
std::string productPageAddress() { return homePageAddress() + "/zendrift/"; }

QPoint centerBrowseDialog(QSize dialog, QSize workArea) {
  return {workArea.width() / 2 - dialog.width() / 2, workArea.height() / 2 - dialog.height() / 2};
}

std::string browseForFolder(QWidget* owner, std::string_view title, std::string_view startFolder) {
  QFileDialog dialog(owner, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  // A relative or vanished folder would leave the dialog wherever the process happens to be.
  const QString start = QString::fromUtf8(startFolder.data(), static_cast<qsizetype>(startFolder.size()));
  const bool usable = !start.isEmpty() && QDir::isAbsolutePath(start) && platform::folderExists(startFolder);
  dialog.setDirectory(usable ? start : QDir::homePath());
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  DialogPlacer placer;
  dialog.installEventFilter(&placer);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return {};
  return chosen.front().toStdString();
}

void openHelp(std::string_view folder) {
  platform::openWithShell(std::string(folder) + std::string(kManualFileName));
}

void checkForUpdates(std::string_view folder) {
  const std::string checker = std::string(folder) + std::string(kUpdateCheckerFileName);
  if (platform::fileExists(checker)) {
    QProcess::startDetached(QString::fromStdString(checker), {});
  } else {
    platform::openWithShell(productPageAddress());
  }
}

void openHomePage() { platform::openWithShell(homePageAddress()); }

}  // namespace zendrift::qt
