// The folder dialog, help, the update check and the maker's web site. What the desktop cannot
// open (no xdg-open, so no browser to show a page) is said in a box.
#include "gui/qt/auxiliary_actions.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
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

namespace {

// A box over `owner` that does not hold up the window: it goes when answered.
void sayCannotOpen(QWidget* owner, std::string_view what, const std::string& target) {
  const std::string text = "Cannot open " + std::string(what) + " " + target +
                           ": no web browser or other program to open it was found (xdg-open is missing).";
  auto* box = new QMessageBox(QMessageBox::Warning, "Zendrift", QString::fromStdString(text), QMessageBox::Ok, owner);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::WindowModal);
  box->open();
}

// The desktop's opener, started on its own so that it outlives the program.
void openWithDesktop(QWidget* owner, std::string_view what, const std::string& target) {
  if (!QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(target)})) {
    sayCannotOpen(owner, what, target);
  }
}

}  // namespace

void openHelp(QWidget* owner, std::string_view folder) {
  openWithDesktop(owner, "the help page", std::string(folder) + std::string(kManualFileName));
}

void checkForUpdates(QWidget* owner, std::string_view folder) {
  const std::string checker = std::string(folder) + std::string(kUpdateCheckerFileName);
  if (platform::fileExists(checker)) {
    QProcess::startDetached(QString::fromStdString(checker), {});
  } else {
    openWithDesktop(owner, "the product page", productPageAddress());
  }
}

void openHomePage(QWidget* owner) { openWithDesktop(owner, "the web site", homePageAddress()); }

}  // namespace zendrift::qt
