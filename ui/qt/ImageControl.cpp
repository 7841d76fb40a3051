// Image controls: unscaled pictures with a click on release inside the control.
#include "ImageControl.h"

#include <QMouseEvent>

namespace kovar {

ImageControl::ImageControl(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setScaledContents(false);
  setFocusPolicy(Qt::NoFocus);
}

void ImageControl::SetPicture(const QPixmap& picture, QSize emptySize) {
  if (picture.isNull()) {
    clear();
    resize(emptySize);
    return;
  }
  setPixmap(picture);
  resize(picture.deviceIndependentSize().toSize());
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release of the left button over the same control.
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

}  // namespace kovar
