// Qt's dialogs behind the core's platform interface.
#include "QtPlatform.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QWidget>

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

InputAnswer QtPlatform::ShowPrompt(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) {
  const QString shown = ToDisplay(defaultText);
  bool ok = false;
  const QString answer = QInputDialog::getText(DialogParent(window_), ToDisplay(title),
                                               ToDisplay(prompt), QLineEdit::Normal, shown, &ok);
  if (!ok) return {};
  return {ToBytes(answer), ToBytes(shown)};
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
