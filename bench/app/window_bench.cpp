// Times a scan started from the window against `zendrift /list` over the same prefix, run
// alternately, and measures how the window answers meanwhile: the largest gap between two ticks
// of a 5 ms timer, the repaints of the status line, and how soon a stop press ends a scan.
//
// usage: window_bench ZENDRIFT USER_DIR [ROUNDS]   (WINEPREFIX, USER and XDG_CONFIG_HOME as for
// the program; run by bench/app/run.sh)
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gui/qt/main_window.h"
#include "gui/qt/zendrift_application.h"
#include "settings/command_line.h"
#include "settings/scan_options.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Counts paint events of one control.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// The largest gap between two ticks of a fast timer while it runs.
class TickWatch {
 public:
  TickWatch() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const auto now = Clock::now();
      maxGap_ = std::max(maxGap_, std::chrono::duration<double, std::milli>(now - last_).count());
      last_ = now;
      ++ticks_;
    });
  }
  void start() {
    maxGap_ = 0;
    ticks_ = 0;
    last_ = Clock::now();
    timer_.start();
  }
  void stop() { timer_.stop(); }
  double maxGap() const { return maxGap_; }
  int ticks() const { return ticks_; }

 private:
  QTimer timer_;
  Clock::time_point last_;
  double maxGap_ = 0;
  int ticks_ = 0;
};

// Lets the window's events run until its scan on the worker has ended.
void waitIdle(const zendrift::qt::MainWindow& form) {
  while (form.busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void postClick(QWidget* button) {
  const QPointF centre = QRectF(button->rect()).center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    auto event = std::make_unique<QMouseEvent>(type, centre, button->mapToGlobal(centre), Qt::LeftButton,
                                               type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                               Qt::NoModifier);
    QCoreApplication::postEvent(button, event.release());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: window_bench ZENDRIFT USER_DIR [ROUNDS]\n");
    return 2;
  }
  const std::string program = argv[1];
  const std::string userDir = argv[2];
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 7;
  int qtArgc = 1;
  zendrift::qt::ZendriftApplication application(qtArgc, argv);

  zendrift::settings::ScanOptions options;
  zendrift::qt::MainWindow form(options, zendrift::settings::CommandLine(std::vector<std::string>{}), "");
  form.start();
  form.show();
  using zendrift::ui::ControlId;
  auto* const scanButton = static_cast<zendrift::qt::StyledButton*>(form.control(ControlId::scanButton));
  static_cast<QLineEdit*>(form.control(ControlId::userFolderEdit))->setText(QString::fromStdString(userDir));
  QCoreApplication::processEvents();
  PaintCounter paints;
  form.control(ControlId::statusLabel)->installEventFilter(&paints);
  TickWatch ticks;

  const std::string listCommand = "'" + program + "' /list /userdir '" + userDir + "' >/dev/null 2>&1";
  std::vector<double> listTimes, windowTimes, gaps;
  int lines = 0;
  std::vector<double> counts;  // a scan that ended early shows here, not as a fast one
  int paintsPerScan = 0;
  for (int i = 0; i < rounds; ++i) {
    auto start = Clock::now();
    if (std::system(listCommand.c_str()) != 0) std::fprintf(stderr, "zendrift /list failed\n");
    listTimes.push_back(millisecondsSince(start));

    paints.paints = 0;
    ticks.start();
    start = Clock::now();
    form.controller().scanClicked();
    waitIdle(form);
    windowTimes.push_back(millisecondsSince(start));
    ticks.stop();
    gaps.push_back(ticks.maxGap());
    lines = form.controller().model().items.count();
    counts.push_back(lines);
    paintsPerScan = paints.paints;
  }

  // A stop pressed half-way through a scan.
  QTimer::singleShot(static_cast<int>(median(windowTimes) / 2), [&] { postClick(scanButton); });
  auto stopStart = Clock::now();
  Clock::time_point pressed;
  bool seen = false;
  form.controller().scanClicked();
  // The press is handled on the window's thread while the worker walks on.
  const auto handler = QObject::connect(scanButton, &zendrift::qt::StyledButton::clicked, [&] {
    pressed = Clock::now();
    seen = true;
  });
  waitIdle(form);
  QObject::disconnect(handler);
  const double stoppedAfter = seen ? std::chrono::duration<double, std::milli>(Clock::now() - pressed).count() : -1;
  const double stopScan = millisecondsSince(stopStart);
  const int stoppedLines = form.controller().model().items.count();

  auto print = [](const char* name, const std::vector<double>& values) {
    std::printf("%-26s", name);
    for (double v : values) std::printf(" %7.1f", v);
    std::printf("\n");
  };
  print("zendrift /list (ms):", listTimes);
  print("scan from the window (ms):", windowTimes);
  print("largest timer gap (ms):", gaps);
  print("orphans listed:", counts);
  const double ratio = median(windowTimes) / median(listTimes);
  std::printf("median /list %.1f ms, window %.1f ms, ratio window / list %.2f (target <= 1.0)\n",
              median(listTimes), median(windowTimes), ratio);
  std::printf("orphans listed by the window: %d; status line repainted %d times in the last scan\n", lines,
              paintsPerScan);
  std::printf("stop press at half-time: handled %s, scan ended %.2f ms after it (%d lines, %.1f ms in all)\n",
              seen ? "yes" : "NO", stoppedAfter, stoppedLines, stopScan);
  std::printf("largest gap between 5 ms timer ticks during scans: %.1f ms\n", *std::max_element(gaps.begin(), gaps.end()));
  return ratio <= 1.0 && seen ? 0 : 1;
}
