// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the logo band, the navigation images, the two panels with the map and engine
// boxes and the start image, and the menus, all built from the window description. A view of
// MainBehaviour: it shows what it is told and reports the player's actions to it.
#pragma once

#include <array>
#include <functional>

#include <QMainWindow>

#include "MainView.h"
#include "MainBehaviour.h"
#include "WindowDescription.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kovar {

class ImageControl;
class MapBox;
class MapListModel;

class frmMain : public QMainWindow, public MainView {
  Q_OBJECT

 public:
  // A view of `behaviour`, which must outlive it.
  explicit frmMain(MainBehaviour& behaviour);
  ~frmMain() override;
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // A control by its row in the description.
  QWidget* Control(MainControl control) const {
    return controls_[static_cast<std::size_t>(control)];
  }
  MainBehaviour& Behaviour() { return behaviour_; }

  // What ends the program once the settings are saved (by default, leaving the event loop).
  void SetProgramEnder(std::function<void()> end);

  // MainView
  std::string SetText(MainControl control, const std::string& bytes) override;
  void SetList(MainControl control, const std::vector<std::string>& entries) override;
  void SetVisible(MainControl control, bool visible) override;
  MainControl Focused() const override;
  void Focus(MainControl control) override;
  void SetAccessibleName(MainControl control, const std::string& bytes) override;
  void Announce(MainControl panel) override;
  void DescribeEntry(MainControl list, std::size_t entry, const std::string& bytes) override;
  Result ShowPicture(MainControl control, const Bitmap& picture) override;
  void Beep() override;
  void ShowMessage(const std::string& text) override;
  void End() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  // A control of each kind, in `parent` (the client area or a panel).
  QWidget* MakeControl(MainControl control, QWidget* parent);
  QWidget* MakeComboBox(MainControl control, QWidget* parent);
  QWidget* MakeTextBox(MainControl control, QWidget* parent);
  QWidget* MakeLabel(MainControl control, QWidget* parent);
  QWidget* MakeImage(MainControl control, QWidget* parent);
  QWidget* MakeLine(MainControl control, QWidget* parent);
  void Bind();

  QComboBox* comboEXE() const;
  MapBox* listMap() const;
  // The line the player edits in comboEXE, listMap or txtCpar; none for other controls.
  QLineEdit* Field(MainControl control) const;

  MainBehaviour& behaviour_;
  std::function<void()> endProgram_;
  MapListModel* mapList_ = nullptr;
  std::array<QWidget*, static_cast<std::size_t>(MainControl::Count)> controls_{};
};

}  // namespace kovar
