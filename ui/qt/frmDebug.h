// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The debug console window: the log of every executed command line, and a line to run. A view
// of DebugBehaviour: it shows what it is told and reports the player's actions to it.
#pragma once

#include <array>

#include <QWidget>

#include "DebugBehaviour.h"
#include "DebugView.h"
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
class frmDebug : public QWidget, public DebugView {
  Q_OBJECT

 public:
  // A view of `behaviour`, which must outlive it.
  explicit frmDebug(DebugBehaviour& behaviour);
  ~frmDebug() override;
  frmDebug(const frmDebug&) = delete;
  frmDebug& operator=(const frmDebug&) = delete;

  DebugBehaviour& Behaviour() { return behaviour_; }

  // DebugView
  void ShowLog(const std::vector<std::string>& log, std::size_t first) override;
  void CallAtNextTurn() override;
  void ClearLine() override;
  void Place(DebugControl control, const PixelsRect& place) override;
  void ShowWindow() override;

  QListView* listDebug() const;
  QLineEdit* txtMain() const;
  QPushButton* cmdSend() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* MakeControl(DebugControl control);
  QWidget* Control(DebugControl control) const {
    return controls_[static_cast<std::size_t>(control)];
  }

  DebugLogModel* log_;
  DebugBehaviour& behaviour_;
  std::array<QWidget*, static_cast<std::size_t>(DebugControl::Count)> controls_{};
};

}  // namespace kovar
