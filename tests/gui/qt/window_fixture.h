// A real Wine-style prefix, a settings folder and the real main window, for the window tests.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../../platform/wine_prefix_builder.h"
#include "app/version_stamp.h"
#include "gui/qt/main_window.h"
#include "platform/process.h"
#include "ui/check_list_model.h"
#include "ui/window_layout.h"
#include "settings/command_line.h"
#include "settings/scan_options.h"
#include "settings/settings_file.h"
#include "shortcut_writer.h"
#include "temp_dir.h"

namespace zendrift::testing {

namespace fs = std::filesystem;

// The window's controls by their roles, through its one test-facing accessor.
template <typename Control>
Control* widget(const qt::MainWindow& window, ui::ControlId id) {
  auto* control = dynamic_cast<Control*>(window.control(id));
  EXPECT_NE(control, nullptr) << "control " << ui::indexOf(id) << " is not of the expected kind";
  return control;
}
using qt::CheckListView;
using qt::StateImage;
using qt::StyledButton;
using ui::ControlId;
using Window = qt::MainWindow;

inline QFrame* bannerPanel(const Window& w) { return widget<QFrame>(w, ControlId::bannerPanel); }
inline QLabel* bannerTitle(const Window& w) { return widget<QLabel>(w, ControlId::bannerTitle); }
inline QLabel* scanHintLabel(const Window& w) { return widget<QLabel>(w, ControlId::scanHintLabel); }
inline QLabel* deleteHintLabel(const Window& w) { return widget<QLabel>(w, ControlId::deleteHintLabel); }
inline StateImage* logo(const Window& w) { return widget<StateImage>(w, ControlId::logo); }
inline QFrame* optionsPanel(const Window& w) { return widget<QFrame>(w, ControlId::optionsPanel); }
inline QGroupBox* foldersGroup(const Window& w) { return widget<QGroupBox>(w, ControlId::foldersGroup); }
inline QCheckBox* startMenuBox(const Window& w) { return widget<QCheckBox>(w, ControlId::startMenuBox); }
inline QCheckBox* desktopBox(const Window& w) { return widget<QCheckBox>(w, ControlId::desktopBox); }
inline QCheckBox* favoritesBox(const Window& w) { return widget<QCheckBox>(w, ControlId::favoritesBox); }
inline QCheckBox* historyBox(const Window& w) { return widget<QCheckBox>(w, ControlId::historyBox); }
inline QCheckBox* programFilesBox(const Window& w) { return widget<QCheckBox>(w, ControlId::programFilesBox); }
inline QCheckBox* tempBox(const Window& w) { return widget<QCheckBox>(w, ControlId::tempBox); }
inline QCheckBox* appDataBox(const Window& w) { return widget<QCheckBox>(w, ControlId::appDataBox); }
inline QCheckBox* recentBox(const Window& w) { return widget<QCheckBox>(w, ControlId::recentBox); }
inline QGroupBox* targetsGroup(const Window& w) { return widget<QGroupBox>(w, ControlId::targetsGroup); }
inline QCheckBox* removableDrivesBox(const Window& w) { return widget<QCheckBox>(w, ControlId::removableDrivesBox); }
inline QCheckBox* networkDrivesBox(const Window& w) { return widget<QCheckBox>(w, ControlId::networkDrivesBox); }
inline QCheckBox* cdRomDrivesBox(const Window& w) { return widget<QCheckBox>(w, ControlId::cdRomDrivesBox); }
inline QCheckBox* ramDrivesBox(const Window& w) { return widget<QCheckBox>(w, ControlId::ramDrivesBox); }
inline QGroupBox* userFolderGroup(const Window& w) { return widget<QGroupBox>(w, ControlId::userFolderGroup); }
inline QLineEdit* userFolderEdit(const Window& w) { return widget<QLineEdit>(w, ControlId::userFolderEdit); }
inline QPushButton* browseButton(const Window& w) { return widget<QPushButton>(w, ControlId::browseButton); }
inline QFrame* resultsPanel(const Window& w) { return widget<QFrame>(w, ControlId::resultsPanel); }
inline CheckListView* resultList(const Window& w) { return widget<CheckListView>(w, ControlId::resultList); }
inline QFrame* statusPanel(const Window& w) { return widget<QFrame>(w, ControlId::statusPanel); }
inline QLabel* statusLabel(const Window& w) { return widget<QLabel>(w, ControlId::statusLabel); }
inline QFrame* buttonPanel(const Window& w) { return widget<QFrame>(w, ControlId::buttonPanel); }
inline StyledButton* scanButton(const Window& w) { return widget<StyledButton>(w, ControlId::scanButton); }
inline StyledButton* deleteButton(const Window& w) { return widget<StyledButton>(w, ControlId::deleteButton); }
inline QCheckBox* moveToTrashBox(const Window& w) { return widget<QCheckBox>(w, ControlId::moveToTrashBox); }
inline StyledButton* updatesButton(const Window& w) { return widget<StyledButton>(w, ControlId::updatesButton); }
inline StyledButton* helpButton(const Window& w) { return widget<StyledButton>(w, ControlId::helpButton); }
inline StyledButton* exitButton(const Window& w) { return widget<StyledButton>(w, ControlId::exitButton); }

class WindowTest : public ::testing::Test {
 protected:
  WindowTest()
      : prefix_(dir_.path() / "prefix"),
        user_("USER", "ann"),
        wine_("WINEPREFIX", prefix_.str().c_str()),
        config_("XDG_CONFIG_HOME", (dir_ / "config").c_str()),
        tmp_("TMP", (dir_ / "tmp").c_str()),
        // Wine's menu entries are looked for below the home and data folders, and the trash and
        // the cleaning records live there: the test's own.
        home_("HOME", dir_.str().c_str()),
        data_("XDG_DATA_HOME", (dir_ / "data").c_str()),
        state_("XDG_STATE_HOME", (dir_ / "state").c_str()) {
    fs::create_directories(dir_.path() / "config");
    fs::create_directories(dir_.path() / "tmp");
    prefix_.standardLayout("ann").userReg("").systemReg("");
    prefix_.file("tools/present.exe");
  }

  // Host folders of the prefix's well-known folders.
  fs::path driveC() const { return prefix_.path() / "drive_c"; }
  fs::path startMenu() const { return driveC() / "users/ann/AppData/Roaming/Microsoft/Windows/Start Menu"; }
  fs::path commonStartMenu() const { return driveC() / "ProgramData/Microsoft/Windows/Start Menu"; }
  fs::path desktop() const { return driveC() / "users/ann/Desktop"; }
  fs::path commonDesktop() const { return driveC() / "users/Public/Desktop"; }
  fs::path settingsFile() const { return dir_.path() / "config/Zendrift/zendrift.ini"; }

  // An orphan: its target is missing from drive C.
  fs::path orphan(const fs::path& folder, const std::string& name) {
    const fs::path path = folder / (name + ".lnk");
    writeShortcut(path, "C:\\missing\\" + name + ".exe");
    return path;
  }
  // A shortcut whose target exists.
  fs::path healthy(const fs::path& folder, const std::string& name) {
    const fs::path path = folder / (name + ".lnk");
    writeShortcut(path, "C:\\tools\\present.exe");
    return path;
  }

  void writeSettings(std::string_view content) { writeFile(settingsFile(), content); }

  // The window as the program makes it: built, then its creation event, then shown unless the
  // creation ended the run.
  // The command line's actions run one after another on the worker; this waits for all of them.
  std::unique_ptr<qt::MainWindow> createForm(std::vector<std::string> parameters = {}) {
    auto form =
        std::make_unique<qt::MainWindow>(options_, settings::CommandLine(std::move(parameters)), programVersion());
    form->start();
    waitIdle(*form);
    if (!form->exitRequested() && !form->closed()) form->show();
    return form;
  }

  // The version stamp of the test program, as the program hands it to its window.
  static std::string programVersion() { return app::versionStamp(platform::executablePath()); }

  // Lets the window's events run until no scan or removal is left running.
  static void waitIdle(const qt::MainWindow& form) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.busy(); }, 20000)) << "the window's work never ended";
  }

  // The paths of the listed shortcuts, line by line, as the scan found them (a line shows its own
  // as the user knows it, the home as "~").
  static std::vector<std::string> records(qt::MainWindow& form) {
    std::vector<std::string> out;
    for (const scan::OrphanRecord& record : form.controller().records()) out.push_back(record.path);
    return out;
  }

  TempDir dir_;
  WinePrefixBuilder prefix_;
  ScopedEnv user_;
  ScopedEnv wine_;
  ScopedEnv config_;
  ScopedEnv tmp_;
  ScopedEnv home_;
  // Wine's menu entries, the trash and the cleaning records of the window's removals.
  ScopedEnv data_;
  ScopedEnv state_;
  settings::ScanOptions options_;
};

}  // namespace zendrift::testing
