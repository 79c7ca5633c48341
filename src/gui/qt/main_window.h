// MainWindow: Zendrift's main window on Qt, its controls and what they show. What the window does
// is the shared controller's (ui/window_controller.h); the window forwards its events there and
// shows what it is told.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/qt/main_window_widgets.h"
#include "settings/command_line.h"
#include "settings/scan_options.h"
#include "ui/window_controller.h"
#include "ui/window_layout.h"
#include "ui/window_view.h"

namespace zendrift::qt {

using ui::WindowBounds;

// The controller, and with it the result list's lines, lives in a base that is destroyed after
// QWidget, so that the list control, a child destroyed with the window, never outlives the lines
// it shows.
struct WindowControl {
  WindowControl(ui::WindowView& view, settings::ScanOptions& options, settings::CommandLine commandLine)
      : controller_(view, options, std::move(commandLine)) {}
  ui::WindowController controller_;
};

class MainWindow : private ui::WindowView, private WindowControl, public QWidget {
 public:
  // The design bounds and the smallest outer size.
  static constexpr WindowBounds kDesignBounds{ui::kDesignBounds.left, ui::kDesignBounds.top, ui::kDesignBounds.width,
                                              ui::kDesignBounds.height};
  static constexpr int kMinWidth = ui::kMinimumSize.width;
  static constexpr int kMinHeight = ui::kMinimumSize.height;
  // The frame of the design (caption and borders), used where the platform draws none.
  static constexpr int kDesignFrameWidth = ui::kDesignFrame.width;
  static constexpr int kDesignFrameHeight = ui::kDesignFrame.height;

  // `options` is the program's one record; it outlives the window. `versionStamp` goes in the
  // caption. Builds every control; the start-up sequence runs in start.
  MainWindow(settings::ScanOptions& options, settings::CommandLine commandLine, std::string versionStamp,
             QWidget* parent = nullptr);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The creation event: loads the settings and runs the interactive or the command-line start.
  void start() { controller_.start(); }
  // True when the command line's "exit" ended the run (inside start, or later by leaving the
  // event loop when it came after a scan or a removal).
  bool exitRequested() const noexcept { return controller_.exitRequested(); }
  // Whether closing the window saves the settings: only in an interactive run.
  bool savesOnClose() const noexcept { return controller_.savesOnClose(); }
  // True once the window was closed for good.
  bool closed() const noexcept { return controller_.closed(); }
  // True while a scan or a removal runs on the worker thread.
  bool busy() const noexcept { return controller_.busy(); }
  // What the window does; tests and benchmarks press its buttons here.
  ui::WindowController& controller() noexcept { return controller_; }

  // The small actions of the buttons and the logo.
  void onBrowseClicked();
  void onHelpClicked();
  void onExitClicked();
  void onUpdatesClicked();
  void onLogoClicked();

  // Outer bounds, frame included.
  WindowBounds outerBounds() const override;
  void setOuterBounds(const WindowBounds& bounds);
  // `bounds` moved and cut to fit the screen's work area, and no smaller than the minimum size.
  WindowBounds fittedToScreen(WindowBounds bounds) const;
  // The design size at the design place where it fits the screen, else centred on it.
  void placeAtDesign();

  // Where the help page and the update checker are looked for (with its trailing delimiter);
  // the executable's folder unless set.
  const std::string& companionFolder() const noexcept { return companionFolder_; }
  void setCompanionFolder(std::string folder) { companionFolder_ = std::move(folder); }

  // For tests: the widget of a control of the shared table, and the prefix selector (none on
  // Windows, whose profile is the user's).
  QWidget* control(ui::ControlId id) const;
  QComboBox* prefixSelector() const noexcept { return prefixSelector_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Runs an event handler; what it throws goes to the error box, never into Qt's event loop.
  void guarded(const std::function<void()>& handler);
  void createControls();
  void createBanner();
  void createPrefixSelector();
  void createOptions();
  void createResults();
  void createStatusLine();
  void createButtons();
  void setTabOrder();
  void connectHandlers();
  void applyLayout();
  // Each option box with what it shows.
  std::vector<std::pair<QCheckBox*, bool ui::OptionControls::*>> optionBoxes() const;
  static QSize frameExtent();

  // What the controller asks of the window.
  void setCaption(ui::ControlId id, std::string_view caption) override;
  void setStatusText(std::string_view text) override;
  void setHint(ui::ControlId id, std::string_view hint) override;
  void enableControl(ui::ControlId id, bool enabled) override;
  bool controlEnabled(ui::ControlId id) const override;
  void focusControl(ui::ControlId id) override;
  void setBusyCursor(bool busy) override;
  ui::OptionControls optionControls() const override;
  void showOptionControls(const ui::OptionControls& controls) override;
  bool hasPrefixSelector() const override { return prefixSelector_ != nullptr; }
  void showPrefixChoices(const std::vector<ui::PrefixChoice>& choices, int chosen) override;
  int chosenPrefix() const override { return prefixSelector_->currentIndex(); }
  void restoreBounds(const WindowBounds& bounds) override;
  void showForActions() override;
  void showError(std::string_view text) override;
  void showInformation(std::string_view text) override;
  void askYesNo(std::string_view question, std::function<void(bool yes)> answered) override;
  void post(std::function<void()> call) override;
  void requestClose() override { close(); }
  void endRun() override;

  std::string versionStamp_;
  std::string companionFolder_;

  // The controls, named for their roles; laid out in main_window_layout.cpp.
  QFrame* bannerPanel_ = nullptr;
  QLabel* bannerTitle_ = nullptr;
  QComboBox* prefixSelector_ = nullptr;
  QLabel* scanHintLabel_ = nullptr;
  QLabel* deleteHintLabel_ = nullptr;
  StateImage* logo_ = nullptr;
  QFrame* optionsPanel_ = nullptr;
  QGroupBox* foldersGroup_ = nullptr;
  QCheckBox* startMenuBox_ = nullptr;
  QCheckBox* desktopBox_ = nullptr;
  QCheckBox* favoritesBox_ = nullptr;
  QCheckBox* historyBox_ = nullptr;
  QCheckBox* programFilesBox_ = nullptr;
  QCheckBox* tempBox_ = nullptr;
  QCheckBox* appDataBox_ = nullptr;
  QCheckBox* recentBox_ = nullptr;
  QGroupBox* targetsGroup_ = nullptr;
  QCheckBox* removableDrivesBox_ = nullptr;
  QCheckBox* networkDrivesBox_ = nullptr;
  QCheckBox* cdRomDrivesBox_ = nullptr;
  QCheckBox* ramDrivesBox_ = nullptr;
  QGroupBox* userFolderGroup_ = nullptr;
  QLineEdit* userFolderEdit_ = nullptr;
  QPushButton* browseButton_ = nullptr;
  QFrame* resultsPanel_ = nullptr;
  CheckListView* resultList_ = nullptr;
  QFrame* statusPanel_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QFrame* buttonPanel_ = nullptr;
  StyledButton* scanButton_ = nullptr;
  StyledButton* deleteButton_ = nullptr;
  QCheckBox* moveToTrashBox_ = nullptr;
  StyledButton* updatesButton_ = nullptr;
  StyledButton* helpButton_ = nullptr;
  StyledButton* exitButton_ = nullptr;
};

}  // namespace zendrift::qt
