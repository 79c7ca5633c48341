// Caption text and glyph helpers of the styled controls in Qt's terms, over the shared ones in
// ui/button_paint.h: drawCaptionText and convertToGray.
#pragma once

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPainter>
#include <QRect>
#include <QString>

#include "ui/button_paint.h"

namespace zendrift::qt::widgets {

class StyledControl;

// Text layout flags, named and valued after the system's text-drawing service.
enum TextFlag : unsigned {
  DT_RIGHT = ui::kTextRight,
  DT_WORDBREAK = ui::kTextWordBreak,
  DT_CALCRECT = 0x0400,
  DT_NOPREFIX = ui::kTextNoPrefix,
  DT_END_ELLIPSIS = ui::kTextEndEllipsis,
};

// Draws `caption` into `rect`, or with DT_CALCRECT measures it: rect keeps its top-left corner
// and takes the text's width and height (an empty caption, or "&" with accelerators, measures
// one line high). Disabled text is embossed: the button-highlight colour one pixel right and
// down, then the button-shadow colour in place.
void drawCaptionText(const StyledControl& control, QPainter& painter, const QString& caption, const QFont& font,
                     bool enabled, bool showAccelChar, QRect& rect, unsigned flags);

// The system's button-highlight and button-shadow colours, whatever the control's state.
QColor buttonHighlightColor(const QPalette& palette);
QColor buttonShadowColor(const QPalette& palette);
// The colours a styled button takes from its palette.
ui::ButtonColors buttonColors(const QPalette& palette);

// (r + g + b) / 3 = v; v + 100 below 156, else 255; the pixel becomes grey (v, v, v).
QImage convertToGray(const QImage& glyph);

// The character after a single "&" in a caption (a doubled "&&" is a literal), or 0.
QChar accelChar(const QString& caption);

}  // namespace zendrift::qt::widgets
