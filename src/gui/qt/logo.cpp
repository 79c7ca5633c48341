// The logo picture, kept as XPM text so that it lives in the source tree as readable text.
#include "gui/qt/logo.h"

namespace zendrift::qt {
namespace {
#include "gui/qt/logo.xpm"
}  // namespace

QImage logoImage() { return QImage(logo_xpm); }

}  // namespace zendrift::qt
