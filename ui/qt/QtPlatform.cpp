// Qt's dialogs behind the core's platform interface.
#include "QtPlatform.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QWidget>

#include "LineBreakStripper.h"
#include "ScriptStarter.h"
#include "TextCodec.h"
#include "WindowDescription.h"

namespace kovar {

namespace {

QWidget* DialogParent(QWidget* window) { return window && window->isVisible() ? window : nullptr; }

}  // namespace

void QtPlatform::ShowMainWindow() {
  if (window_) window_->show();
}

std::string QtPlatform::ShowPrompt(const std::string& prompt, const std::string& title,
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

void QtPlatform::ShowErrorBox(const std::string& message) {
  QMessageBox box(QMessageBox::Warning, ToDisplay(kApplicationName), ToDisplay(message),
                  QMessageBox::Ok, DialogParent(window_));
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

Result QtPlatform::StartScript(const std::string& scriptPath) {
  return StartScriptDetached(scriptPath);
}

}  // namespace kovar
