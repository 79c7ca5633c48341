// The window's own controls, from src/widgets: the result list, the styled push button and the
// state image.
#pragma once

#include <QGroupBox>

#include "gui/qt/widgets/check_list_view.h"
#include "gui/qt/widgets/state_image.h"
#include "gui/qt/widgets/styled_button.h"

namespace zendrift::qt {

using widgets::StateImage;
using widgets::CheckListView;
using widgets::StyledButton;

// A group box drawn as the design draws it: the title on the frame line, which is an etched
// rectangle from half the text height down. Styles that put the title above the frame push the
// frame down onto the controls that the design placed below it.
class EtchedGroupBox : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

  // The frame's top row: half the text height, less one.
  int frameTop() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zendrift::qt
