// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture shown unscaled at its own size from the control's top-left corner, optionally
// clickable: the navigation images, the start image, the tiles, the logo and the preview field.
#pragma once

#include <functional>
#include <utility>

#include <QLabel>

#include "BmpDecoder.h"
#include "WindowDescription.h"

namespace kovar {

class ImageControl : public QLabel {
  Q_OBJECT

 public:
  explicit ImageControl(QWidget* parent);

  // Shows `picture` at its own pixel size, the control taking that size. An empty picture removes
  // it and gives the control back `emptySize`.
  void SetPicture(const Bitmap& picture, QSize emptySize);
  // The same for one of the window's own pictures, decoded from the program's resources.
  void SetArtwork(Artwork artwork, QSize emptySize);

  // What a press through the accessibility interface asks first and then does; the window's
  // behaviour decides both.
  void SetPress(std::function<bool()> canPress, std::function<void()> press) {
    canPress_ = std::move(canPress);
    press_ = std::move(press);
  }
  bool CanPress() const { return canPress_ && canPress_(); }
  void Press() {
    if (press_) press_();
  }

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
  std::function<bool()> canPress_;
  std::function<void()> press_;
};

}  // namespace kovar
