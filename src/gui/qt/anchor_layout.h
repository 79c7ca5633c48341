// Keeps controls at their distance from the right edge of their parent as the parent resizes.
//
// A control anchored left and right stretches with its parent; one anchored right only moves.
// Left and top anchors need nothing: such controls simply keep their position.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace zendrift::app {

enum class Anchor { Right, LeftRight };

class AnchorLayout : public QObject {
 public:
  explicit AnchorLayout(QObject* parent = nullptr) : QObject(parent) {}

  // Records the control's distance from the right edge of its parent as it stands now; the
  // parent's current width is taken as its design width.
  void anchor(QWidget* control, Anchor anchor);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    QPointer<QWidget> control;
    QWidget* parent;
    Anchor anchor;
    int rightMargin;
  };
  void apply(const QWidget* parent);

  std::vector<Entry> entries_;
};

}  // namespace zendrift::app
