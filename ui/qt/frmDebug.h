// The debug console window: the log of every executed command line, and a line to run.
#pragma once

#include <array>

#include <QWidget>

#include "Launcher.h"
#include "WindowDescription.h"

class QKeyEvent;
class QLineEdit;
class QListView;
class QPushButton;
class QResizeEvent;

namespace kovar {

class DebugLogModel;

// Created hidden at start, so that it shows every line from the first one on; it lists the
// launcher's log whether or not it is ever shown. The launcher must outlive it.
class frmDebug : public QWidget {
  Q_OBJECT

 public:
  explicit frmDebug(Launcher& launcher);
  ~frmDebug() override;
  frmDebug(const frmDebug&) = delete;
  frmDebug& operator=(const frmDebug&) = delete;

  // Shows the console modeless and without an owner; the main window stays usable.
  void ShowWindow();

  QListView* listDebug() const;
  QLineEdit* txtMain() const;
  QPushButton* cmdSend() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void cmdSend_Click();
  void Form_Resize();

  QWidget* Control(DebugControl control) const {
    return controls_[static_cast<std::size_t>(control)];
  }

  Launcher& launcher_;
  DebugLogModel* log_;
  std::array<QWidget*, static_cast<std::size_t>(DebugControl::Count)> controls_{};
};

}  // namespace kovar
