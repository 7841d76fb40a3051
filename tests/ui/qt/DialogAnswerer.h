// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Answers the modal dialogs that a window test opens, from inside their event loops, and closes
// any dialog that no test expected so that it is reported instead of hanging the test.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace kovar::test {

class DialogAnswerer {
 public:
  DialogAnswerer() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }

  // The next dialog that opens is handed to `answer`, which must close it.
  void Expect(std::function<void(QWidget*)> answer) { answers_.push_back(std::move(answer)); }

  // Dialogs that opened without being expected, by their text.
  const std::vector<std::string>& Unexpected() const { return unexpected_; }
  bool AllAnswered() const { return answers_.empty(); }
  // Forgets the answers still waiting: the dialogs they were for need not open.
  void Clear() { answers_.clear(); }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) current_ = nullptr;
    if (!modal || modal == current_) return;
    current_ = modal;
    if (answers_.empty()) {
      unexpected_.push_back(modal->windowTitle().toStdString() + ": " +
                            modal->property("text").toString().toStdString());
      modal->close();
      return;
    }
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    answer(modal);
  }

  QTimer timer_;
  QWidget* current_ = nullptr;
  std::deque<std::function<void(QWidget*)>> answers_;
  std::vector<std::string> unexpected_;
};

}  // namespace kovar::test
