// MainWindow: Zendrift's main window, its controls and their handlers, and the start-up sequence it
// runs when it is created.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRect>
#include <QWidget>
#include <functional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "gui/qt/main_window_widgets.h"
#include "ui/check_list_model.h"
#include "ui/option_controls.h"
#include "ui/prefix_choices.h"
#include "ui/window_layout.h"
#include "ui/window_start.h"
#include "ui/window_work.h"
#include "scan/orphan_removal.h"
#include "scan/orphan_scan.h"
#include "settings/command_line.h"
#include "settings/scan_options.h"
#include "profile/well_known_folders.h"

namespace zendrift::app {

// The window's outer bounds as the settings file keeps them (frame included).
struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

// The result list's lines live in a base that is destroyed after QWidget, so that the list
// control, a child destroyed with the window, never outlives the lines it shows.
struct ResultLines {
  scan::CheckListModel model_;
};

class MainWindow : private ResultLines, public QWidget, private ui::StartedWindow {
 public:
  // The design bounds and the smallest outer size.
  static constexpr WindowBounds kDesignBounds{ui::kDesignBounds.left, ui::kDesignBounds.top, ui::kDesignBounds.width,
                                              ui::kDesignBounds.height};
  static constexpr int kMinWidth = ui::kMinimumSize.width;
  static constexpr int kMinHeight = ui::kMinimumSize.height;
  // The frame of the design (caption and borders), used where the platform draws none.
  static constexpr int kDesignFrameWidth = ui::kDesignFrame.width;
  static constexpr int kDesignFrameHeight = ui::kDesignFrame.height;

  // `options` is the program's one record; it outlives the window. Builds every control; the
  // start-up sequence runs in start.
  MainWindow(settings::ScanOptions& options, settings::CommandLine commandLine, QWidget* parent = nullptr);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The creation event: loads the settings and runs the interactive or the command-line start.
  void start();
  // True when the command line's "exit" ended the run (inside start, or later by leaving the
  // event loop when it came after a scan or a removal).
  bool exitRequested() const noexcept { return start_.exitRequested(); }
  // Whether closing the window saves the settings: only in an interactive run.
  bool savesOnClose() const noexcept { return start_.savesOnClose(); }
  // True once the window was closed for good (onClose ran).
  bool closed() const noexcept override { return closed_; }

  void onShow();
  void onClose();
  void optionsToControls() override;
  void controlsToOptions();

  // Handlers of the buttons and the logo. Delete asks first when it would delete for good: the
  // answer comes later, from a box that says No unless told otherwise.
  void onScanClicked() override;
  void onDeleteClicked();
  void deleteAsCommanded() override;
  void onBrowseClicked();
  void onHelpClicked();
  void onExitClicked();
  void onUpdatesClicked();
  void onLogoClicked();
  // The result list's "Undo last cleaning": gives back what the last cleaning moved to the trash.
  // Raises with what could not be restored, after restoring the rest.
  void onUndoClicked();
  // The result list's "Put selection on the exclude list": the paths go on the options' list.
  // Raises with every path it cannot take (one holding a line break), after taking the rest.
  void excludePaths(const std::vector<std::string>& paths);

  // Outer bounds, frame included.
  WindowBounds outerBounds() const;
  void setOuterBounds(const WindowBounds& bounds);
  // `bounds` moved and cut to fit the screen's work area, and no smaller than the minimum size.
  WindowBounds fittedToScreen(WindowBounds bounds) const;

  // Where the help page and the update checker are looked for (with its trailing delimiter);
  // the executable's folder unless set.
  const std::string& companionFolder() const noexcept { return companionFolder_; }
  void setCompanionFolder(std::string folder) { companionFolder_ = std::move(folder); }
  // True while a scan or a removal runs on the worker thread.
  bool busy() const noexcept override { return work_ != Work::none; }
  // Called on the worker thread for every folder a scan is about to list (tests and benchmarks
  // use it to act at a known point of a walk). Set it while no scan runs.
  void setWalkObserver(std::function<void(const std::string& folder)> observer) { walkObserver_ = std::move(observer); }
  // Called on the worker thread before each shortcut a removal deletes. Set it while idle.
  void setRemovalObserver(std::function<void(const std::string& path)> observer) {
    removalObserver_ = std::move(observer);
  }
  // The records behind the result list's lines, line for line.
  const std::vector<scan::OrphanRecord>& records() const noexcept { return records_; }

  // The controls, named for their roles; laid out in main_window_layout.cpp.
  QFrame* bannerPanel = nullptr;
  QLabel* bannerTitle = nullptr;
  // The Wine prefix to scan, beside the title; none on Windows, whose profile is the user's.
  QComboBox* prefixSelector = nullptr;
  QLabel* scanHintLabel = nullptr;
  QLabel* deleteHintLabel = nullptr;
  StateImage* logo = nullptr;
  QFrame* optionsPanel = nullptr;
  QGroupBox* foldersGroup = nullptr;
  QCheckBox* startMenuBox = nullptr;
  QCheckBox* desktopBox = nullptr;
  QCheckBox* favoritesBox = nullptr;
  QCheckBox* historyBox = nullptr;
  QCheckBox* programFilesBox = nullptr;
  QCheckBox* tempBox = nullptr;
  QCheckBox* appDataBox = nullptr;
  QCheckBox* recentBox = nullptr;
  QGroupBox* targetsGroup = nullptr;
  QCheckBox* removableDrivesBox = nullptr;
  QCheckBox* networkDrivesBox = nullptr;
  QCheckBox* cdRomDrivesBox = nullptr;
  QCheckBox* ramDrivesBox = nullptr;
  QGroupBox* userFolderGroup = nullptr;
  QLineEdit* userFolderEdit = nullptr;
  QPushButton* browseButton = nullptr;
  QFrame* resultsPanel = nullptr;
  CheckListView* resultList = nullptr;
  QFrame* statusPanel = nullptr;
  QLabel* statusLabel = nullptr;
  QFrame* buttonPanel = nullptr;
  StyledButton* scanButton = nullptr;
  StyledButton* deleteButton = nullptr;
  QCheckBox* moveToTrashBox = nullptr;
  StyledButton* updatesButton = nullptr;
  StyledButton* helpButton = nullptr;
  StyledButton* exitButton = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void createControls();
  void createBanner();
  void createPrefixSelector();
  // The selector's entries afresh from the prefixes on the machine, the options' choice selected.
  void fillPrefixSelector();
  void prefixSelectorToOptions();
  // The folder boxes' tooltips: where each folder is in the chosen profile.
  void showFolderHints();
  void createOptions();
  void createResults();
  void createStatusLine();
  void createButtons();
  void setTabOrder();
  void connectHandlers();
  // The widget of a control of the shared table.
  QWidget* control(ui::ControlId id) const;
  void applyLayout();
  // Each option box with what it shows; what the option boxes show, and showing it.
  std::vector<std::pair<QCheckBox*, bool ui::OptionControls::*>> optionBoxes() const;
  ui::OptionControls optionControls() const;
  void showOptionControls(const ui::OptionControls& controls);
  static QSize frameExtent();
  void keepUnchangedOptions();
  void setStatusText(std::string_view text);

  // The worker's queue to this window, and what it hands over there.
  ui::PostToWindow postToWindow();
  ui::WorkSink workSink();
  // Removes the marked orphans as the move-to-trash box says.
  void removeMarked();
  void scanFinished(const scan::ScanReport& report);
  void removalFinished(const scan::RemovalReport& report, std::error_code unrecorded);
  void workFailed(const std::string& message);
  void endWork();
  // A close asked for meanwhile, or the command line's next action.
  void afterWork();
  void stopWork();
  void runPendingActions();
  // What the start-up asks of the window.
  void restoreBounds(const settings::ScanOptions& options) override;
  void disableWork() override;
  void showForActions() override;
  void endRun() override;

  settings::ScanOptions& options_;
  // The options as the boxes were last filled from them.
  settings::ScanOptions shownOptions_;
  ui::WindowStart start_;
  sysfolders::WellKnownFolders wellKnownFolders_;
  std::vector<ui::PrefixChoice> prefixChoices_;
  bool closed_ = false;
  bool closePending_ = false;
  std::string companionFolder_;

  enum class Work { none, scanning, removing };
  Work work_ = Work::none;
  bool deleteWasEnabled_ = false;
  // The question before a deletion for good, while it is open.
  QPointer<QMessageBox> deletionQuestion_;
  std::vector<scan::OrphanRecord> records_;
  std::function<void(const std::string& folder)> walkObserver_;
  std::function<void(const std::string& path)> removalObserver_;
  // Declared last: it ends (and is joined) before anything it posts to goes.
  ui::WindowWork worker_{postToWindow(), workSink()};
};

}  // namespace zendrift::app
