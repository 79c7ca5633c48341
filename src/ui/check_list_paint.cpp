// One line of the result list drawn against the painting interface.
#include "ui/check_list_paint.h"

#include <algorithm>
#include <string>

#include "ui/path_elision.h"

namespace zendrift::ui {

LineParts lineParts(const Rect& line, bool rightToLeft, double scale) {
  LineParts parts;
  const int area = std::min(checkAreaWidth(scale), std::max(line.width, 0));
  if (rightToLeft) {
    parts.checkArea = {line.right() - area, line.top, area, line.height};
    parts.text = {line.left, line.top, line.width - area, line.height};
  } else {
    parts.checkArea = {line.left, line.top, area, line.height};
    parts.text = {line.left + area, line.top, line.width - area, line.height};
  }
  parts.cell = checkCellRect(parts.checkArea, scale);
  return parts;
}

Point textOrigin(const Rect& line, const Rect& textPart, int textHeight) {
  return {textPart.left + 2, std::max(line.top, (line.top + line.bottom() - textHeight) / 2)};
}

LineInk lineInk(bool selected, bool enabled, bool listFocused, bool graySelection, const ListColors& colors) {
  LineInk ink{colors.base, colors.text};
  if (selected) {
    ink = graySelection && !listFocused ? LineInk{colors.buttonFace, colors.buttonText}
                                        : LineInk{colors.highlight, colors.highlightText};
  }
  if (!enabled) ink.ink = selected ? colors.inactiveCaptionText : colors.grayText;
  return ink;
}

void paintCheckLine(Painter& painter, const Rect& line, const CheckLine& item, const CheckListLook& look) {
  const LineParts parts = lineParts(line, look.rightToLeft, look.scale);
  painter.fillRect(parts.checkArea, look.colors.base);
  painter.drawImage(parts.cell.topLeft(),
                    checkCell(item.kind, item.state, item.enabled, look.colors.base, look.scale));
  const LineInk ink = lineInk(item.selected, item.enabled, look.listFocused, look.graySelection, look.colors);
  painter.fillRect(parts.text, ink.fill);
  const Point at = textOrigin(line, parts.text, look.textHeight);
  const Rect textRect{at.x, at.y, std::max(0, parts.text.right() - at.x), look.textHeight};
  const TextFlags flags = kTextNoPrefix | kTextSingleLine | (look.rightToLeft ? kTextRtlReading : 0u);
  const std::string shown = middleElidedPath(item.text, textRect.width, [&](std::string_view text) {
    return painter.measureText(text, look.font, 0, flags).width;
  });
  painter.drawText(textRect, shown, look.font, ink.ink, flags);
  if (item.focused) painter.drawFocusRect(parts.text);
}

}  // namespace zendrift::ui
