// Helpers for widget tests: the one application object, shown widgets and saved pictures.
#include "widget_test_support.h"

#include "temp_dir.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTest>
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

namespace zendrift::testing {

namespace {

int argc = 1;
char name[] = "widgets_tests";
char* argv[] = {name, nullptr};
std::unique_ptr<QApplication> application;

// Ends the application after the last test, while Qt's own globals still exist.
class ApplicationEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { application.reset(); }
};

}  // namespace

void ensureApplication() {
  if (QApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  application = std::make_unique<QApplication>(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);  // gtest owns environments
}

void showAndWait(QWidget& widget, bool activate) {
  widget.show();
  (void)QTest::qWaitForWindowExposed(&widget);
  if (activate) {
    widget.activateWindow();
    (void)QTest::qWaitForWindowActive(&widget);
  }
  QApplication::processEvents();
}

QImage grabImage(QWidget& widget) {
  QApplication::processEvents();
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void saveArtefact(const QImage& image, const QString& name) {
  const std::string root = testSetting("ZENDRIFT_TEST_TMP");
  QDir dir(QString::fromStdString(root.empty() ? std::string(".") : root));
  dir.mkpath(QStringLiteral("widgets"));
  image.save(dir.filePath(QStringLiteral("widgets/") + name + QStringLiteral(".png")));
  // Small controls are hard to judge at their own size: a copy four times as large goes along.
  if (image.width() <= 300) {
    image.scaled(image.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(dir.filePath(QStringLiteral("widgets/") + name + QStringLiteral("_x4.png")));
  }
}

QString pixelName(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)).name().toUpper(); }

QFont crispFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace zendrift::testing
