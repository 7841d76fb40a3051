// The main window's handlers and its binding to the launcher state.
#include "MainWindow.h"

#include <optional>

#include "DebugConsole.h"
#include "DesktopPlatform.h"
#include "Launcher.h"

namespace kovar {

namespace {

// The control that shows a text field; none for the fields that no control shows.
std::optional<MainControl> ControlOf(TextField field) {
  switch (field) {
    case TextField::EngineText:
      return MainControl::comboEXE;
    case TextField::MapSelection:
      return MainControl::listMap;
    case TextField::CustomParams:
      return MainControl::txtCpar;
    case TextField::MapTitle:
      return MainControl::lblMapTitle;
    case TextField::MapDescription:
      return MainControl::lblMapDes;
    default:
      return std::nullopt;
  }
}

// The field the player edits in a control.
std::optional<TextField> EditedField(MainControl control) {
  switch (control) {
    case MainControl::comboEXE:
      return TextField::EngineText;
    case MainControl::listMap:
      return TextField::MapSelection;
    case MainControl::txtCpar:
      return TextField::CustomParams;
    default:
      return std::nullopt;
  }
}

MainControl ControlOf(ListField field) {
  return field == ListField::EngineList ? MainControl::comboEXE : MainControl::listMap;
}

std::size_t Row(MainControl control) { return static_cast<std::size_t>(control); }

}  // namespace

MainWindow::MainWindow(Launcher& launcher, DesktopPlatform& platform, MainView& view)
    : launcher_(launcher),
      platform_(platform),
      view_(view),
      panels_{Describe(MainControl::picMain).visible, Describe(MainControl::picSP).visible} {}

MainWindow::~MainWindow() {
  if (observing_) launcher_.State().RemoveObserver(this);
}

void MainWindow::Form_Load() {
  // The map listing, begun as the program started, is taken here, before the lists are shown.
  launcher_.FillLists();
  for (TextField field : {TextField::EngineText, TextField::MapSelection, TextField::CustomParams,
                          TextField::MapTitle, TextField::MapDescription}) {
    ShowText(field);
  }
  ShowList(ListField::EngineList);
  ShowList(ListField::MapList);
  // A picture set before the window existed; one it cannot draw stays unshown.
  (void)PreviewChanged();
  launcher_.State().AddObserver(this);
  observing_ = true;
}

void MainWindow::PlayerEdited(MainControl control, const std::string& bytes) {
  const std::optional<TextField> field = EditedField(control);
  if (ended_ || settingText_ || !field) return;
  // A field that still shows the value it was given keeps that value's exact bytes.
  if (bytes == shown_[Row(control)]) return;
  shown_[Row(control)] = bytes;
  takingEdit_ = true;
  launcher_.State().SetText(*field, bytes);
  takingEdit_ = false;
}

void MainWindow::PlayerChose(MainControl control, std::size_t entry) {
  const std::optional<TextField> field = EditedField(control);
  if (ended_ || !field || control == MainControl::txtCpar) return;
  const ListField list =
      control == MainControl::listMap ? ListField::MapList : ListField::EngineList;
  const auto& entries = launcher_.State().List(list);
  if (entry >= entries.size()) return;
  // The entry's own bytes, not what the control made of them, shown again in the field.
  takingEdit_ = true;
  launcher_.State().SetText(*field, entries[entry]);
  takingEdit_ = false;
  ShowText(*field);
  if (control == MainControl::listMap) listMap_Click();
}

void MainWindow::ImageClicked(MainControl control) {
  if (ended_) return;
  const ClickAction click = Describe(control).click;
  switch (click) {
    case ClickAction::ShowMainPanel:
    case ClickAction::ShowStartPanel:
      panels_ = PanelsAfter(click, panels_);
      HidePanels();
      if (panels_.mainPanel) view_.SetVisible(MainControl::picMain, true);
      if (panels_.startPanel) view_.SetVisible(MainControl::picSP, true);
      break;
    case ClickAction::Beep:
      view_.Beep();
      break;
    case ClickAction::StartGame:
      // The player is shown why a launch was refused or failed.
      (void)launcher_.StartGame();
      break;
    case ClickAction::None:
      break;
  }
}

void MainWindow::MenuChosen(MenuCommand command) {
  if (ended_) return;
  switch (command) {
    case MenuCommand::Exit:
      EndProgram();
      break;
    case MenuCommand::DebugWindow:
      if (console_) console_->Show();
      break;
    case MenuCommand::SetQuakeDirectory:
      launcher_.SetQuakeDir();
      break;
    case MenuCommand::About:
      view_.ShowMessage(kAboutText);
      break;
    case MenuCommand::None:
      break;
  }
}

void MainWindow::Form_Unload() { EndProgram(); }

void MainWindow::EndBySystem() {
  platform_.ReportErrorsOnStandardError(true);
  if (saving_) {
    EndView();
    return;
  }
  EndProgram();
}

void MainWindow::SaveForSession() {
  if (ended_ || saving_) return;
  platform_.ReportErrorsOnStandardError(true);
  saving_ = true;
  (void)launcher_.SaveCFG();
  saving_ = false;
  platform_.ReportErrorsOnStandardError(false);
}

void MainWindow::TextChanged(TextField field) {
  if (!takingEdit_) ShowText(field);
}

void MainWindow::ListChanged(ListField field) { ShowList(field); }

Result MainWindow::PreviewChanged() {
  return view_.ShowPicture(MainControl::imgLevel, launcher_.State().Preview());
}

void MainWindow::ShowText(TextField field) {
  const std::optional<MainControl> control = ControlOf(field);
  if (!control) return;
  settingText_ = true;
  shown_[Row(*control)] = view_.SetText(*control, launcher_.State().Text(field));
  settingText_ = false;
  // A screen reader names the preview by the map it shows.
  if (field == TextField::MapTitle) {
    view_.SetAccessibleName(MainControl::imgLevel, launcher_.State().Text(field));
  }
}

void MainWindow::ShowList(ListField field) {
  settingText_ = true;
  view_.SetList(ControlOf(field), launcher_.State().List(field));
  settingText_ = false;
}

void MainWindow::EndProgram() {
  if (ended_) return;
  ended_ = true;
  saving_ = true;
  // What could not be saved has been shown; the program ends all the same.
  (void)launcher_.SaveCFG();
  saving_ = false;
  EndView();
}

void MainWindow::EndView() {
  if (viewEnded_) return;
  viewEnded_ = true;
  view_.End();
}

// The player is shown what of the map could not be loaded.
void MainWindow::listMap_Click() { (void)launcher_.LoadMap(); }

void MainWindow::HidePanels() {
  view_.SetVisible(MainControl::picMain, false);
  view_.SetVisible(MainControl::picSP, false);
}

}  // namespace kovar
