// The main window: the logo band, the navigation images, the two panels with the map and engine
// boxes and the start image, and the menus, all built from the window description. It shows the
// launcher state and hands the player's edits and actions to the core.
#pragma once

#include <array>
#include <functional>

#include <QMainWindow>

#include "LauncherState.h"
#include "WindowDescription.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kovar {

class ImageControl;
class Launcher;
class MapBox;
class MapListModel;

class frmMain : public QMainWindow, public StateObserver {
  Q_OBJECT

 public:
  explicit frmMain(Launcher& launcher);
  ~frmMain() override;
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // A control by its row in the description.
  QWidget* Control(MainControl control) const {
    return controls_[static_cast<std::size_t>(control)];
  }

  // What shows the debug console when its menu item is chosen.
  void SetDebugWindowShower(std::function<void()> show);
  // What ends the program once the settings are saved (by default, leaving the event loop).
  void SetProgramEnder(std::function<void()> end);

  // The desktop session or the operating system asks the program to end: saves, like a close. Asked
  // while a player's end is still showing its failed save, it ends without waiting for the box.
  void CloseBySystem();
  // True once the program's end has begun: the settings were saved and nothing else may run.
  bool Ended() const { return ended_; }

  // StateObserver: shows the core's values in the controls.
  void TextChanged(TextField field) override;
  void ListChanged(ListField field) override;
  // Shows the decoded preview picture in imgLevel at its own size.
  Result PreviewChanged() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  QWidget* MakeControl(MainControl control, QWidget* parent);
  void BuildMenus();
  void Bind();
  void ShowText(TextField field);
  void ShowList(ListField field);
  void PlayerEdited(TextField field, const QString& text);
  void EndProgram();

  void Form_Load();
  void Form_Unload();
  void menuExit_Click();
  void menuSQD_Click();
  void menuDebugMode_Click();
  void menuAbout_Click();
  // A click on a navigation or start image, by what the description says it does.
  void Image_Click(ClickAction action);
  void imgStartSP_Click();
  void listMap_Click();
  void HidePanels();

  QComboBox* comboEXE() const;
  QLineEdit* txtCpar() const;
  MapBox* listMap() const;
  QLabel* Label(MainControl control) const;
  ImageControl* imgLevel() const;

  Launcher& launcher_;
  std::function<void()> showDebugWindow_;
  std::function<void()> endProgram_;
  bool ended_ = false;
  // Set while the end's save runs, which may be showing its failure in a box.
  bool saving_ = false;
  // Set while a player's edit is handed to the core, so that its echo does not rewrite the field
  // the player is typing in.
  bool takingEdit_ = false;

  MapListModel* mapList_ = nullptr;
  std::array<QWidget*, static_cast<std::size_t>(MainControl::Count)> controls_{};
};

}  // namespace kovar
