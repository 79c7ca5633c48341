// The window's own controls: the result list, the styled push button and the state image.
//
// Until every control of src/widgets is in the build, a plain Qt control with the same small
// interface stands in for the missing one, so that the window builds and runs either way.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPixmap>
#include <functional>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "scan/check_list_model.h"
#include "settings/ini_rec.h"

#if defined(ZENDRIFT_HAVE_CHECK_LIST_BOX)
#include "widgets/check_list_box.h"
#endif
#if defined(ZENDRIFT_HAVE_XP_BUTTON)
#include "widgets/xp_button.h"
#endif
#if defined(ZENDRIFT_HAVE_JV_IMAGE)
#include "widgets/jv_image.h"
#endif

namespace zendrift::app {

#if defined(ZENDRIFT_HAVE_CHECK_LIST_BOX)
using widgets::TJvxCheckListBox;
#else
class TJvxCheckListBox : public QAbstractScrollArea {
 public:
  TJvxCheckListBox(scan::CheckListModel& model, QWidget* parent) : QAbstractScrollArea(parent), model_(model) {
    menu_ = new QMenu(this);
    menu_->addAction("Mark all", [this] { model_.Markall1Click(); });
    menu_->addAction("Unmark all", [this] { model_.Unmarkall1Click(); });
    menu_->addAction("Mark selection", [this] { model_.Markselection1Click(); });
    menu_->addAction("Unmark selection", [this] { model_.Unmarkselection1Click(); });
    menu_->addAction("Put selection on the exclude list", [this] {
      if (target_) model_.Putselectionontheexcludelist1Click(*target_);
    });
  }
  scan::CheckListModel& model() noexcept { return model_; }
  void SetMultiSelect(bool) {}
  void SetItemHeight(int) {}
  QMenu* PopupMenu1() noexcept { return menu_; }
  void SetExcludeListTarget(settings::TIniRec* options) noexcept { target_ = options; }

 private:
  scan::CheckListModel& model_;
  QMenu* menu_ = nullptr;
  settings::TIniRec* target_ = nullptr;
};
#endif

#if defined(ZENDRIFT_HAVE_XP_BUTTON)
using widgets::TJvXPButton;
#else
class TJvXPButton : public QPushButton {
 public:
  using QPushButton::QPushButton;
  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
};
#endif

#if defined(ZENDRIFT_HAVE_JV_IMAGE)
using widgets::TJvImage;
#else
class TJvImage : public QLabel {
 public:
  using QLabel::QLabel;
  void SetPicture(const QImage& picture) { setPixmap(QPixmap::fromImage(picture)); }
  void SetAutoSize(bool autoSize) {
    if (autoSize) adjustSize();
  }
  std::function<void(TJvImage& sender)> OnClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) OnClick(*this);
  }
};
#endif

}  // namespace zendrift::app
