// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Image controls: unscaled pictures with a click on release inside the control.
#include "ImageControl.h"

#include <string_view>

#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QtDebug>

namespace kovar {

namespace {

QString ArtworkFile(Artwork artwork) {
  const char* name = ArtworkName(artwork);
  return name ? QStringLiteral(":/assets/%1.bmp").arg(QLatin1String(name)) : QString();
}

}  // namespace

ImageControl::ImageControl(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setScaledContents(false);
  setFocusPolicy(Qt::NoFocus);
}

void ImageControl::SetPicture(const Bitmap& picture, QSize emptySize) {
  if (picture.Empty()) {
    clear();
    resize(emptySize);
    return;
  }
  const QImage view(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                    picture.height, static_cast<qsizetype>(picture.width) * 4,
                    QImage::Format_RGB32);
  // The one copy: a raster pixmap would otherwise share the buffer of the view, and the pixels
  // it is over are freed while the picture is still shown.
  setPixmap(QPixmap::fromImage(view.copy()));
  resize(picture.width, picture.height);
}

void ImageControl::SetArtwork(Artwork artwork, QSize emptySize) {
  Bitmap picture;
  const QString name = ArtworkFile(artwork);
  if (!name.isEmpty()) {
    QFile file(name);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // The pictures are the program's own, checked by its tests: a failure here is a build fault.
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (Expected<Bitmap> decoded = DecodeBmp(view); decoded.ok()) {
      picture = std::move(decoded).value();
    } else {
      qWarning("%s: %s", qPrintable(name), decoded.reason().c_str());
    }
  }
  SetPicture(picture, emptySize);
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
