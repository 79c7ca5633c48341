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
#include <chrono>
#include <memory>
#include <string>

#include "app/anchor_layout.h"
#include "app/form_widgets.h"
#include "scan/check_list_model.h"
#include "scan/scan_window.h"
#include "scan/scanner.h"
#include "settings/command_line.h"
#include "settings/ini_rec.h"

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

class TForm1 : private ResultLines, public QWidget, public scan::ScanWindow {
 public:
  // The design bounds and the smallest outer size.
  static constexpr FormBounds kDesignBounds{243, 504, 600, 467};
  static constexpr int kMinWidth = 600;
  static constexpr int kMinHeight = 400;
  // The frame of the design (caption and borders), used where the platform draws none.
  static constexpr int kDesignFrameWidth = 8;
  static constexpr int kDesignFrameHeight = 34;
  static constexpr std::chrono::microseconds kDefaultPumpInterval{8000};

  // `options` is the program's one record; it outlives the window. Builds every control; the
  // start-up sequence runs in FormCreate.
  TForm1(settings::TIniRec& options, settings::CommandLine commandLine, QWidget* parent = nullptr);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // The creation event: loads the settings and runs the interactive or the command-line start.
  void FormCreate();
  // True when the command line asked the program to end inside FormCreate ("exit").
  bool ExitRequested() const noexcept { return exitRequested_; }
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

  scan::Scanner& Scanner() noexcept { return *scanner_; }
  // Where the help page and the update checker are looked for (with its trailing delimiter);
  // the executable's folder unless set.
  const std::string& CompanionFolder() const noexcept { return companionFolder_; }
  void SetCompanionFolder(std::string folder) { companionFolder_ = std::move(folder); }
  // Pending events are handled at most once per interval while a scan or a removal runs.
  void SetPumpInterval(std::chrono::microseconds interval) noexcept { pumpInterval_ = interval; }
  // True while a scan or a removal runs from this window.
  bool Busy() const noexcept { return busyDepth_ > 0; }

  // scan::ScanWindow
  void setStatusText(std::string_view text) override;
  void setScanButtonCaption(std::string_view caption) override;
  void setScanButtonEnabled(bool enabled) override;
  void focusScanButton() override;
  void setDeleteButtonEnabled(bool enabled) override;
  bool deleteButtonEnabled() const override;
  void focusDeleteButton() override;
  bool isWindowVisible() const override;
  void processMessages() override;
  scan::CheckListModel& resultList() override;

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
  // Runs a scan or a removal; a close asked for meanwhile takes place when the outermost ends.
  template <typename Work>
  void runBusy(Work&& work);
  void finishBusy();
  void keepUnchangedOptions();

  settings::TIniRec& options_;
  // The options as the boxes were last filled from them.
  settings::TIniRec shownOptions_;
  settings::CommandLine commandLine_;
  AnchorLayout anchors_;
  std::unique_ptr<scan::Scanner> scanner_;
  bool exitRequested_ = false;
  bool closed_ = false;
  bool closePending_ = false;
  int busyDepth_ = 0;
  std::string companionFolder_;
  std::chrono::microseconds pumpInterval_{kDefaultPumpInterval};
  std::chrono::steady_clock::time_point lastPump_{};
  unsigned pumpCalls_ = 0;
};

}  // namespace zendrift::app
