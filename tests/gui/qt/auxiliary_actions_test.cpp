// The window's small actions: the folder dialog and its placement, help, the update check, the
// logo's web site.
#include <sys/stat.h>

#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "gui/qt/auxiliary_actions.h"
#include "window_fixture.h"

namespace zendrift::testing {
namespace {

TEST(CenterBrowseDialog, CentresOnTheWorkAreaSizeFromTheScreenCorner) {
  struct Case {
    QSize dialog;
    QSize workArea;
    QPoint expected;
  };
  const Case cases[] = {
      {{400, 300}, {1024, 738}, {312, 219}},
      {{401, 301}, {1024, 738}, {312, 219}},  // halves round toward zero
      {{400, 300}, {1023, 737}, {311, 218}},
      {{1200, 900}, {1024, 738}, {-88, -81}},  // larger than the work area: negative
      {{1201, 901}, {1024, 738}, {-88, -81}},
  };
  for (const Case& c : cases) EXPECT_EQ(qt::centerBrowseDialog(c.dialog, c.workArea), c.expected);
}

TEST(WebAddresses, HomeIsTheSiteRootAndTheProductPageHasItsPath) {
  EXPECT_EQ(qt::homePageAddress(), std::string("https://") + ZENDRIFT_TEST_WEB_HOST);
  EXPECT_EQ(qt::productPageAddress(), std::string("https://") + ZENDRIFT_TEST_WEB_HOST + "/zendrift/");
}

// The desktop's opener is a script on PATH that notes what it was asked to open.
class ActionsTest : public WindowTest {
 protected:
  ActionsTest() : path_("PATH", (dir_.str() + "/bin:" + currentPath()).c_str()) {
    writeExecutable(dir_.path() / "bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + opened().string() + "'\n");
    fs::create_directories(companion());
  }

  static std::string currentPath() {
    const char* value = std::getenv("PATH");
    return value ? value : "/usr/bin:/bin";
  }
  static void writeExecutable(const fs::path& path, const std::string& text) {
    writeFile(path, text);
    ::chmod(path.c_str(), 0755);
  }
  fs::path opened() const { return dir_.path() / "opened.txt"; }
  fs::path companion() const { return dir_.path() / "program"; }

  // What the opener was given, once it has run (it is started detached).
  std::string waitForFile(const fs::path& path) {
    if (!QTest::qWaitFor([&] { return fs::exists(path) && !readFile(path).empty(); }, 10000)) return {};
    return readFile(path);
  }

  std::unique_ptr<qt::MainWindow> form() {
    auto created = createForm();
    created->setCompanionFolder(companion().string() + "/");
    return created;
  }

  ScopedEnv path_;
};

TEST_F(ActionsTest, HelpOpensTheManualBesideTheExecutable) {
  form()->onHelpClicked();
  EXPECT_EQ(waitForFile(opened()), (companion() / "manual.html").string() + "\n");
}

TEST_F(ActionsTest, HelpWithNothingToOpenItSaysSoInABox) {
  auto window = form();
  window->onHelpClicked();  // the desktop's opener is there: no box
  const auto shownBox = [] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) return box;
    }
    return static_cast<QMessageBox*>(nullptr);
  };
  EXPECT_EQ(shownBox(), nullptr);

  // No xdg-open at all, as on a system without a desktop's tools.
  const ScopedEnv bare("PATH", (dir_.str() + "/nothing").c_str());
  window->onHelpClicked();
  QMessageBox* box = shownBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowTitle(), "Zendrift");
  EXPECT_NE(box->text().toStdString().find((companion() / "manual.html").string()), std::string::npos);
  box->close();
}

TEST_F(ActionsTest, CompanionFolderDefaultsToTheExecutablesFolder) {
  EXPECT_EQ(createForm()->companionFolder(), qt::executableFolder());
  EXPECT_EQ(qt::executableFolder().back(), '/');
}

TEST_F(ActionsTest, UpdateCheckStartsTheCheckerWhenItIsAFile) {
  const fs::path ran = dir_.path() / "checker-ran";
  writeExecutable(companion() / std::string(qt::kUpdateCheckerFileName), "#!/bin/sh\necho yes > '" + ran.string() + "'\n");
  form()->onUpdatesClicked();
  EXPECT_EQ(waitForFile(ran), "yes\n");
  EXPECT_FALSE(fs::exists(opened()));
}

TEST_F(ActionsTest, UpdateCheckOpensTheProductPageWhenTheCheckerIsAFolder) {
  fs::create_directories(companion() / std::string(qt::kUpdateCheckerFileName));
  form()->onUpdatesClicked();
  EXPECT_EQ(waitForFile(opened()), qt::productPageAddress() + "\n");
}

TEST_F(ActionsTest, LogoOpensTheHomePage) {
  auto window = form();
  window->onLogoClicked();
  EXPECT_EQ(waitForFile(opened()), qt::homePageAddress() + "\n");
}

// Answers the folder dialog once it is up: records it, then chooses `folder` or cancels.
struct DialogAnswer {
  QString title;
  bool foldersOnly = false;
  QPoint position;
  QPoint expectedPosition;
  std::string openedAt;
};

void answerDialog(DialogAnswer& answer, const QString& folder) {
  QTimer::singleShot(0, [&answer, folder] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    answer.title = dialog->windowTitle();
    answer.foldersOnly = dialog->fileMode() == QFileDialog::Directory && dialog->testOption(QFileDialog::ShowDirsOnly);
    answer.position = dialog->pos();
    answer.openedAt = dialog->directory().absolutePath().toStdString();
    answer.expectedPosition =
        qt::centerBrowseDialog(dialog->frameGeometry().size(), dialog->screen()->availableGeometry().size());
    if (folder.isEmpty()) {
      dialog->reject();
    } else {
      dialog->selectFile(folder);
      static_cast<QDialog*>(dialog)->accept();
    }
  });
}

TEST_F(ActionsTest, ChoosingAFolderReplacesTheUserFolderAndFocusesStartScan) {
  auto window = form();
  userFolderEdit(*window)->setText("/old/folder");
  userFolderEdit(*window)->setFocus();
  const fs::path chosen = dir_.path() / "chosen";
  fs::create_directories(chosen);
  DialogAnswer answer;
  answerDialog(answer, QString::fromStdString(chosen.string()));
  window->onBrowseClicked();
  EXPECT_EQ(answer.title, "Select a folder");
  EXPECT_TRUE(answer.foldersOnly);
  EXPECT_EQ(answer.position, answer.expectedPosition);
  EXPECT_EQ(userFolderEdit(*window)->text().toStdString(), chosen.string());
  EXPECT_EQ(window->focusWidget(), scanButton(*window));
}

TEST_F(ActionsTest, FolderDialogOpensAtTheGivenFolderElseAtHomeNeverTheCurrentFolder) {
  auto window = form();
  const fs::path home = dir_.path() / "home";
  const fs::path start = dir_.path() / "games";
  fs::create_directories(home);
  fs::create_directories(start);
  ScopedEnv homeEnv("HOME", home.c_str());
  ASSERT_NE(fs::current_path(), home);
  struct Case {
    std::string startFolder;
    fs::path expected;
  };
  const Case cases[] = {{start.string(), start},
                        {start.string() + "/", start},
                        {"", home},
                        {(dir_.path() / "gone").string(), home},
                        {"games", home},  // relative: it would name a folder below the current one
                        {(dir_.path() / "opened.txt").string(), home}};
  writeFile(opened(), "a file, not a folder");
  for (const Case& c : cases) {
    DialogAnswer answer;
    answerDialog(answer, {});
    EXPECT_EQ(qt::browseForFolder(window.get(), "Select a folder", c.startFolder), "") << c.startFolder;
    EXPECT_EQ(answer.openedAt, c.expected.string()) << c.startFolder;
  }
}

TEST_F(ActionsTest, CancellingTheFolderDialogKeepsTheText) {
  auto window = form();
  userFolderEdit(*window)->setText("/old/folder");
  DialogAnswer answer;
  answerDialog(answer, {});
  window->onBrowseClicked();
  EXPECT_EQ(answer.title, "Select a folder");
  EXPECT_EQ(userFolderEdit(*window)->text(), "/old/folder");
}

}  // namespace
}  // namespace zendrift::testing
