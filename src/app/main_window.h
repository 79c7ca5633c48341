// TForm1: Zendrift's main window, its controls and their handlers, and the start-up sequence it
// runs when it is created.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QWidget>
#include <functional>
#include <stop_token>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "app/anchor_layout.h"
#include "app/form_widgets.h"
#include "scan/check_list_model.h"
#include "scan/orphan_removal.h"
#include "scan/orphan_scan.h"
#include "settings/command_line.h"
#include "settings/ini_rec.h"
#include "sysfolders/computer_info.h"

namespace zendrift::app {

// The window's outer bounds as the settings file keeps them (frame included).
struct FormBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const FormBounds&, const FormBounds&) = default;
};

// The result list's lines live in a base that is destroyed after QWidget, so that the list
// control, a child destroyed with the window, never outlives the lines it shows.
struct ResultLines {
  scan::CheckListModel model_;
};

class TForm1 : private ResultLines, public QWidget {
 public:
  // The design bounds and the smallest outer size.
  static constexpr FormBounds kDesignBounds{243, 504, 600, 467};
  static constexpr int kMinWidth = 600;
  static constexpr int kMinHeight = 400;
  // The frame of the design (caption and borders), used where the platform draws none.
  static constexpr int kDesignFrameWidth = 8;
  static constexpr int kDesignFrameHeight = 34;

  // `options` is the program's one record; it outlives the window. Builds every control; the
  // start-up sequence runs in FormCreate.
  TForm1(settings::TIniRec& options, settings::CommandLine commandLine, QWidget* parent = nullptr);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // The creation event: loads the settings and runs the interactive or the command-line start.
  void FormCreate();
  // True when the command line's "exit" ended the run (inside FormCreate, or later by leaving the
  // event loop when it came after a scan or a removal).
  bool ExitRequested() const noexcept { return exitRequested_; }
  // Whether closing the window saves the settings: only in an interactive run.
  bool SavesOnClose() const noexcept { return saveOnClose_; }
  // True once the window was closed for good (FormClose ran).
  bool Closed() const noexcept { return closed_; }

  void FormShow();
  void FormClose();
  void OptionsToControls();
  void ControlsToOptions();

  // Handlers of the buttons and the logo.
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void JvImage1Click();

  // Outer bounds, frame included.
  FormBounds Bounds() const;
  void SetBounds(const FormBounds& bounds);
  // `bounds` moved and cut to fit the screen's work area, and no smaller than the minimum size.
  FormBounds OnScreen(FormBounds bounds) const;

  // Where the help page and the update checker are looked for (with its trailing delimiter);
  // the executable's folder unless set.
  const std::string& CompanionFolder() const noexcept { return companionFolder_; }
  void SetCompanionFolder(std::string folder) { companionFolder_ = std::move(folder); }
  // True while a scan or a removal runs on the worker thread.
  bool Busy() const noexcept { return work_ != Work::none; }
  // Called on the worker thread for every folder a scan is about to list (tests and benchmarks
  // use it to act at a known point of a walk). Set it while no scan runs.
  void SetWalkObserver(std::function<void(const std::string& folder)> observer) { walkObserver_ = std::move(observer); }
  // Called on the worker thread before each shortcut a removal deletes. Set it while idle.
  void SetRemovalObserver(std::function<void(const std::string& path)> observer) {
    removalObserver_ = std::move(observer);
  }
  // The records behind the result list's lines, line for line.
  const std::vector<scan::OrphanRecord>& Records() const noexcept { return records_; }

  // The controls, named as in the layout.
  QFrame* panTop = nullptr;
  QLabel* hlpTitle = nullptr;
  QLabel* hlpLine1 = nullptr;
  QLabel* hlpLine2 = nullptr;
  TJvImage* JvImage1 = nullptr;
  QFrame* Panel3 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QCheckBox* CheckBox3 = nullptr;
  QCheckBox* CheckBox4 = nullptr;
  QCheckBox* CheckBox5 = nullptr;
  QCheckBox* CheckBox6 = nullptr;
  QCheckBox* CheckBox7 = nullptr;
  QCheckBox* CheckBox8 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QCheckBox* CheckBox9 = nullptr;
  QCheckBox* CheckBox10 = nullptr;
  QCheckBox* CheckBox11 = nullptr;
  QCheckBox* CheckBox12 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* Button3 = nullptr;
  QFrame* Panel1 = nullptr;
  TJvxCheckListBox* JvxCheckListBox1 = nullptr;
  QFrame* Panel4 = nullptr;
  QLabel* Label1 = nullptr;
  QFrame* Panel2 = nullptr;
  TJvXPButton* Button1 = nullptr;
  TJvXPButton* Button2 = nullptr;
  TJvXPButton* Button6 = nullptr;
  TJvXPButton* Button4 = nullptr;
  TJvXPButton* Button5 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void createControls();
  void createBanner();
  void createOptions();
  void createResults();
  void createStatusLine();
  void createButtons();
  void setTabOrder();
  void connectHandlers();
  void alignPanels();
  static QSize frameExtent();
  void keepUnchangedOptions();
  void setStatusText(std::string_view text);

  // The scan and the removal on the worker thread, and their results back on the window's.
  void scanOnWorker(const settings::TIniRec& options, std::stop_token stop);
  void addOrphans(std::vector<scan::OrphanRecord>&& found);
  void scanFinished(const scan::ScanReport& report);
  void orphanRemoved(int line, std::error_code error);
  void removalFinished(const scan::RemovalReport& report);
  void workFailed(const std::string& message);
  void endWork();
  // A close asked for meanwhile, or the command line's next action.
  void afterWork();
  void stopWork();
  void runPendingActions();
  // /silent with the window hidden: scan and remove here, nothing waits for a window.
  void runSilently();

  settings::TIniRec& options_;
  // The options as the boxes were last filled from them.
  settings::TIniRec shownOptions_;
  settings::CommandLine commandLine_;
  AnchorLayout anchors_;
  sysfolders::TJvComputerInfoEx computerInfo_;
  // Only an interactive run saves its settings at close.
  bool saveOnClose_ = false;
  bool exitRequested_ = false;
  bool closed_ = false;
  bool closePending_ = false;
  // The command line's actions still to come after the running one.
  bool pendingDelete_ = false;
  bool pendingExit_ = false;
  std::string companionFolder_;

  enum class Work { none, scanning, removing };
  Work work_ = Work::none;
  bool deleteWasEnabled_ = false;
  std::vector<scan::OrphanRecord> records_;
  std::function<void(const std::string& folder)> walkObserver_;
  std::function<void(const std::string& path)> removalObserver_;
  // Declared last: it ends (and is joined) before anything it posts to goes.
  std::jthread worker_;
};

}  // namespace zendrift::app
