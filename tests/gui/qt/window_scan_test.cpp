// Scanning from the window: a stop pressed during a walk, a close during a scan, the exclude
// list followed by a scan, deleting into the trash and undoing it, the question before deleting
// for good, and the error box for an action's error.
#include <QMessageBox>
#include <QMetaObject>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <future>
#include <stdexcept>

#include "window_fixture.h"

namespace zendrift::testing {
namespace {

class ScanTest : public WindowTest {
 protected:
  // Five chosen folders in scan order: the two Start menus, the two desktops, the user folder.
  // Each holds one orphan and a tree of plain files to walk.
  void SetUp() override {
    const fs::path user = dir_.path() / "mine";
    folders_ = {startMenu(), commonStartMenu(), desktop(), commonDesktop(), user};
    for (std::size_t i = 0; i < folders_.size(); ++i) {
      orphans_.push_back(orphan(folders_[i], "orphan" + std::to_string(i + 1)));
      for (int f = 0; f < 40; ++f) writeFile(folders_[i] / "data" / ("file" + std::to_string(f) + ".txt"), "x");
    }
    writeSettings("[Directories]\nStartMenu=1\nAllUsersStartMenu=1\nDesktop=1\nAllUsersDeskTop=1\nFavorites=0\n"
                  "History=0\nRecent=0\nUserDir=" + user.string() + "\n");
  }

  // Runs `action` on the window's thread when the walk of folder `index` (0-based) begins; the
  // walk goes on only once the window has handled what `action` posted, so the test knows where
  // the scan stands when the window reacts.
  void whenFolderBegins(qt::MainWindow& form, std::size_t index, std::function<void()> action) {
    const std::string root = folders_[index].string() + "/";
    form.controller().setWalkObserver([root, action, &form, done = false](const std::string& folder) mutable {
      if (done || folder != root) return;
      done = true;
      runOnWindowAndWait(form, action);
    });
  }

  // From the worker: `action` on the window's thread, and back only once the window has also
  // handled what `action` posted.
  static void runOnWindowAndWait(qt::MainWindow& form, const std::function<void()>& action) {
    std::promise<void> handled;
    QMetaObject::invokeMethod(
        &form,
        [&] {
          action();
          QMetaObject::invokeMethod(&form, [&handled] { handled.set_value(); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    handled.get_future().wait();
  }

  std::vector<std::string> orphanPaths(std::initializer_list<int> numbers) const {
    std::vector<std::string> out;
    for (int n : numbers) out.push_back(orphans_[static_cast<std::size_t>(n - 1)].string());
    return out;
  }

  // The question the window asks before deleting for good, when it is showing.
  static QMessageBox* deletionQuestion(const qt::MainWindow& form) {
    for (QMessageBox* question : form.findChildren<QMessageBox*>()) {
      if (question->isVisible()) return question;
    }
    return nullptr;
  }

  static void answer(qt::MainWindow& form, QMessageBox::StandardButton button) {
    QMessageBox* question = deletionQuestion(form);
    ASSERT_NE(question, nullptr) << "no question before deleting for good";
    question->button(button)->click();
    waitIdle(form);
  }

  static void postClick(QWidget* button) {
    const QPointF centre = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(centre);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      auto event = std::make_unique<QMouseEvent>(type, centre, global, Qt::LeftButton,
                                                 type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                 Qt::NoModifier);
      QCoreApplication::postEvent(button, event.release());  // the queue owns it
    }
  }

  std::vector<fs::path> folders_;
  std::vector<fs::path> orphans_;
};

TEST_F(ScanTest, AWholeScanListsTheOrphansInFolderOrder) {
  auto form = createForm();
  form->controller().scanClicked();
  EXPECT_EQ(scanButton(*form)->caption(), "Stop scan");
  EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
  waitIdle(*form);
  EXPECT_EQ(records(*form), orphanPaths({1, 2, 3, 4, 5}));
  // Each line's tooltip says what the shortcut points at and why that counts as broken.
  EXPECT_EQ(resultList(*form)->model().itemHint(2),
            "Path: " + orphans_[2].string() + "\nTarget: C:\\missing\\orphan3.exe\nReason: file not found");
  EXPECT_EQ(statusLabel(*form)->text(), "Ready. 5 orphan(s) found.");
  EXPECT_EQ(scanButton(*form)->caption(), "Start Scan");
  EXPECT_TRUE(deleteButton(*form)->isEnabled());
  EXPECT_EQ(form->focusWidget(), deleteButton(*form));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ScanTest, StopPressedDuringTheThirdFolderSkipsTheRest) {
  auto form = createForm();
  whenFolderBegins(*form, 2, [&] { postClick(scanButton(*form)); });
  form->controller().scanClicked();
  waitIdle(*form);

  // The press was handled before the third folder's first entry.
  EXPECT_EQ(records(*form), orphanPaths({1, 2}));
  EXPECT_EQ(statusLabel(*form)->text(), "Ready. 2 orphan(s) found.");
  EXPECT_EQ(scanButton(*form)->caption(), "Start Scan");
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ScanTest, ClosingDuringAScanStopsItThenCloses) {
  auto form = createForm();
  whenFolderBegins(*form, 2, [&] {
    QMetaObject::invokeMethod(form.get(), [&] { form->close(); }, Qt::QueuedConnection);
  });
  form->controller().scanClicked();
  waitIdle(*form);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->closed(); }, 5000));

  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(records(*form), orphanPaths({1, 2}));
  // The close ran its handler: the interactive run saved its settings.
  settings::ScanOptions saved;
  settings::loadSettingsFrom(saved, settingsFile().string());
  EXPECT_EQ(saved.width, 600);
}

TEST_F(ScanTest, ClosingDuringAStartedCommandLineScanEndsTheRun) {
  for (const fs::path& path : orphans_) ASSERT_TRUE(fs::exists(path));
  options_ = {};
  auto form = std::make_unique<qt::MainWindow>(options_, settings::CommandLine({"/start", "/delete", "/exit"}),
                                                programVersion());
  whenFolderBegins(*form, 2, [&] { form->close(); });
  form->start();
  waitIdle(*form);
  EXPECT_TRUE(form->closed());
  EXPECT_FALSE(form->exitRequested());
  // No removal ran after the close.
  for (const fs::path& path : orphans_) EXPECT_TRUE(fs::exists(path));
}

TEST_F(ScanTest, ClosingDuringARemovalStopsItAfterTheCurrentFileThenCloses) {
  auto form = createForm();
  form->controller().scanClicked();
  waitIdle(*form);
  ASSERT_EQ(resultList(*form)->model().items.count(), 5);
  const std::string last = form->controller().records()[4].path;
  // The close arrives while the first shortcut (the last line) is being deleted.
  form->controller().setRemovalObserver([&, done = false](const std::string&) mutable {
    if (!std::exchange(done, true)) runOnWindowAndWait(*form, [&] { form->close(); });
  });
  form->controller().deleteClicked();
  waitIdle(*form);
  EXPECT_TRUE(form->closed());
  for (const fs::path& path : orphans_) EXPECT_EQ(fs::exists(path), path != last) << path;
  EXPECT_EQ(resultList(*form)->model().items.count(), 4);
}

TEST_F(ScanTest, DeletingMovesToTheTrashUndoPutsItBackAndAnUntickedBoxDeletesForGood) {
  auto form = createForm();
  const fs::path trashFiles = dir_.path() / "data/Trash/files";
  const auto inTrash = [&] {
    return fs::exists(trashFiles) ? std::distance(fs::directory_iterator(trashFiles), fs::directory_iterator()) : 0;
  };
  ASSERT_TRUE(moveToTrashBox(*form)->isChecked());
  form->controller().scanClicked();
  waitIdle(*form);
  form->controller().deleteClicked();
  waitIdle(*form);
  for (const fs::path& path : orphans_) EXPECT_FALSE(fs::exists(path)) << path;
  EXPECT_EQ(inTrash(), 5);

  const QList<QAction*> commands = resultList(*form)->contextMenu()->actions();
  ASSERT_EQ(commands.last()->text(), "Undo last cleaning");
  ASSERT_EQ(resultList(*form)->model().items.count(), 0);
  commands.last()->trigger();
  for (const fs::path& path : orphans_) EXPECT_TRUE(fs::exists(path)) << path;
  EXPECT_EQ(inTrash(), 0);
  // What came back is listed again, marked as a scan marks it, and the status line says so.
  waitIdle(*form);
  EXPECT_EQ(statusLabel(*form)->text(), "Restored 5 shortcut(s). Ready. 5 orphan(s) found.");
  EXPECT_EQ(records(*form), orphanPaths({1, 2, 3, 4, 5}));
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(resultList(*form)->model().isItemChecked(i)) << i;
  EXPECT_TRUE(deleteButton(*form)->isEnabled());

  moveToTrashBox(*form)->setChecked(false);
  form->controller().scanClicked();
  waitIdle(*form);
  form->controller().deleteClicked();
  answer(*form, QMessageBox::Yes);
  for (const fs::path& path : orphans_) EXPECT_FALSE(fs::exists(path)) << path;
  EXPECT_EQ(inTrash(), 0);
  form->close();
  EXPECT_NE(readFile(settingsFile()).find("[Delete]\nPermanently=1\n"), std::string::npos) << "the choice is saved";
}

TEST_F(ScanTest, DeletingForGoodAsksFirstAndReturnAloneNeverDeletes) {
  writeSettings(readFile(settingsFile()) + "[Delete]\nPermanently=1\n");
  // Asked for on the command line, the deletion needs no question.
  {
    auto form = createForm({"/start", "/delete"});
    EXPECT_EQ(deletionQuestion(*form), nullptr);
    for (const fs::path& path : orphans_) EXPECT_FALSE(fs::exists(path)) << path;
  }
  for (std::size_t i = 0; i < orphans_.size(); ++i) orphan(folders_[i], "orphan" + std::to_string(i + 1));

  auto form = createForm();
  ASSERT_FALSE(moveToTrashBox(*form)->isChecked());
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  // Return scans from the focused "Start Scan", which hands the focus to "Delete Orphans"; a
  // second Return asks, and a third answers No.
  scanButton(*form)->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  waitIdle(*form);
  ASSERT_EQ(resultList(*form)->model().items.count(), 5);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QMessageBox* question = deletionQuestion(*form);
  ASSERT_NE(question, nullptr) << "deleted for good without a question";
  EXPECT_EQ(question->text().toStdString(), "Delete 5 marked orphan(s) permanently? This cannot be undone.");
  QTest::keyClick(question, Qt::Key_Return);
  waitIdle(*form);
  EXPECT_EQ(deletionQuestion(*form), nullptr);
  for (const fs::path& path : orphans_) EXPECT_TRUE(fs::exists(path)) << path;
  EXPECT_EQ(resultList(*form)->model().items.count(), 5);

  // Only Yes deletes, and only the marked lines.
  resultList(*form)->model().setItemChecked(0, false);
  form->controller().deleteClicked();
  ASSERT_NE(deletionQuestion(*form), nullptr);
  EXPECT_NE(deletionQuestion(*form)->text().indexOf("Delete 4 "), -1);
  answer(*form, QMessageBox::Yes);
  EXPECT_EQ(resultList(*form)->model().items.count(), 1);
  EXPECT_EQ(std::count_if(orphans_.begin(), orphans_.end(), [](const fs::path& path) { return fs::exists(path); }), 1);
}

TEST_F(ScanTest, ExcludeListCommandThenAScanLeavesThatLineUnmarked) {
  auto form = createForm();
  form->controller().scanClicked();
  waitIdle(*form);
  ui::CheckListModel& model = resultList(*form)->model();
  ASSERT_EQ(model.items.count(), 5);
  model.setItemSelected(1, true);
  const QList<QAction*> commands = resultList(*form)->contextMenu()->actions();
  ASSERT_EQ(commands.size(), 7);
  EXPECT_EQ(commands[4]->text(), "Put selection on the exclude list");
  commands[4]->trigger();
  EXPECT_NE(options_.excludeList.find(orphans_[1].string()), std::string::npos);

  form->controller().scanClicked();
  waitIdle(*form);
  ASSERT_EQ(model.items.count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(model.isItemChecked(i), i != 1) << i;
}

TEST_F(ScanTest, AnActionsErrorIsShownTitledZendriftAndTheWindowGoesOn) {
  auto form = createForm();
  QString title;
  QString text;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      title = box->windowTitle();
      text = box->text();
      box->accept();
    }
  });
  closer.start(10);
  // As the result list's command hands them over, from the event loop.
  bool handled = false;
  QMetaObject::invokeMethod(
      form.get(),
      [&] {
        form->controller().excludePaths({"C:\\odd\nname.lnk", orphans_[0].string()});
        handled = true;
      },
      Qt::QueuedConnection);
  ASSERT_TRUE(QTest::qWaitFor([&] { return handled; }, 10000));
  EXPECT_EQ(title, "Zendrift");
  EXPECT_EQ(text, "Cannot put \"C:\\odd\nname.lnk\" on the exclude list: its path holds a line break.");
  EXPECT_NE(options_.excludeList.find(orphans_[0].string()), std::string::npos);

  form->controller().scanClicked();
  waitIdle(*form);
  EXPECT_EQ(statusLabel(*form)->text(), "Ready. 5 orphan(s) found.");
  EXPECT_FALSE(form->controller().model().isItemChecked(0));
}

}  // namespace
}  // namespace zendrift::testing
