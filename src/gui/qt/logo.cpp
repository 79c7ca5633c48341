// The logo picture, kept as XPM text so that it lives in the source tree as readable text.
#include "gui/qt/logo.h"

#include <QGuiApplication>
#include <cmath>

#include "gui/qt/widgets/qt_painter.h"
#include "ui/logo_drawing.h"

namespace zendrift::qt {
namespace {
#include "gui/qt/logo.xpm"
}  // namespace

QImage logoImage() {
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  if (ratio == 1.0) return QImage(logo_xpm);
  const ui::Size size{static_cast<int>(std::lround(ui::kLogoSize.width * ratio)),
                      static_cast<int>(std::lround(ui::kLogoSize.height * ratio))};
  QImage drawn = widgets::imageView(ui::drawnLogo(size)).copy();
  drawn.setDevicePixelRatio(ratio);
  return drawn;
}

}  // namespace zendrift::qt
