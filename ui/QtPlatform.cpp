// Qt's dialogs and picture decoding behind the core's platform interface.
#include "QtPlatform.h"

#include <cstdio>

#include <QByteArray>
#include <QImage>
#include <QInputDialog>
#include <QMessageBox>

#include "LineBreakStripper.h"
#include "ScriptStarter.h"
#include "TextCodec.h"
#include "frmMain.h"

namespace kovar {

namespace {

QWidget* DialogParent(frmMain* window) { return window && window->isVisible() ? window : nullptr; }

}  // namespace

void QtPlatform::ShowMainWindow() {
  if (window_) window_->show();
}

std::string QtPlatform::InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) {
  const QString shown = ToDisplay(defaultText);
  bool ok = false;
  QString answer = QInputDialog::getText(DialogParent(window_), ToDisplay(title), ToDisplay(prompt),
                                         QLineEdit::Normal, shown, &ok);
  if (!ok) return {};
  int end = static_cast<int>(answer.size());
  LineBreakStripper(nullptr).validate(answer, end);
  // An answer the player left as it was keeps the exact bytes it was given.
  if (answer == shown) return defaultText;
  return ToBytes(answer);
}

std::string QtPlatform::SetPreview(const std::string& bmpBytes) {
  if (!window_) return "the main window does not exist";
  if (bmpBytes.empty()) {
    window_->SetPreview(QImage());
    return {};
  }
  // The format is forced: a map pack's picture is read as a BMP or not at all, never as
  // whatever its content claims to be.
  const QImage picture = QImage::fromData(
      QByteArray::fromRawData(bmpBytes.data(), static_cast<qsizetype>(bmpBytes.size())), "BMP");
  if (picture.isNull()) return "the picture could not be decoded as a BMP picture";
  window_->SetPreview(picture);
  return {};
}

void QtPlatform::ShowError(const std::string& message) {
  if (errorsToStandardError_) {
    std::fprintf(stderr, "Kovar Launcher: %s\n", message.c_str());
    std::fflush(stderr);
    return;
  }
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Kovar Launcher"), ToDisplay(message),
                  QMessageBox::Ok, DialogParent(window_));
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

std::string QtPlatform::StartScript(const std::string& scriptPath) {
  return StartScriptDetached(scriptPath);
}

}  // namespace kovar
