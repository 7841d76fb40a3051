// The main window's handlers and its binding to the launcher state.
#include "MainWindow.h"

#include <optional>
#include <variant>

#include "BmpDecoder.h"
#include "DebugConsole.h"
#include "Desktop.h"
#include "Launcher.h"
#include "LauncherProgram.h"
#include "Twips.h"

namespace kovar {

namespace {

// The core decodes no more of a preview than the main window's client area can show.
static_assert(Pixels(kMainWindowFrame.clientWidth) == kPreviewShownWidth &&
              Pixels(kMainWindowFrame.clientHeight) == kPreviewShownHeight);

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

MainWindow::MainWindow(LauncherProgram& program, Desktop& desktop)
    : program_(program),
      launcher_(program.Core()),
      desktop_(desktop),
      panels_{Describe(MainControl::picMain).visible, Describe(MainControl::picSP).visible} {}

MainWindow::~MainWindow() {
  if (view_) launcher_.State().RemoveObserver(this);
}

void MainWindow::Form_Load(MainView& view) {
  const bool firstView = !view_;
  view_ = &view;
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
  if (firstView) launcher_.State().AddObserver(this);
}

void MainWindow::PlayerEdited(MainControl control, const std::string& bytes) {
  const std::optional<TextField> field = EditedField(control);
  if (program_.Ended() || !view_ || settingText_ || !field) return;
  // A field that still shows the value it was given keeps that value's exact bytes.
  if (bytes == shown_[Row(control)]) return;
  shown_[Row(control)] = bytes;
  takingEdit_ = true;
  launcher_.State().SetText(*field, bytes);
  takingEdit_ = false;
}

void MainWindow::PlayerChose(MainControl control, std::size_t entry) {
  const std::optional<TextField> field = EditedField(control);
  if (program_.Ended() || !view_ || !field || control == MainControl::txtCpar) return;
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

void MainWindow::ImageClicked(MainControl control) { RunHandler(control); }

void MainWindow::ControlPressed(MainControl control) {
  if (CanPress(control)) ImageClicked(control);
}

bool MainWindow::CanPress(MainControl control) const {
  return Describe(control).accessibleRole == AccessibleRole::PushButton && Reachable(control);
}

bool MainWindow::CanEdit(MainControl control) const {
  return EditedField(control).has_value() && Reachable(control);
}

bool MainWindow::Reachable(MainControl control) const {
  const ControlDescription& row = Describe(control);
  if (program_.Ended() || desktop_.BoxOpen()) return false;
  switch (row.container) {
    case Container::MainPanel:
      return panels_.mainPanel;
    case Container::StartPanel:
      return panels_.startPanel;
    case Container::Window:
      break;
  }
  return row.visible;
}

void MainWindow::MenuChosen(MenuCommand command) { RunHandler(command); }

void MainWindow::RunHandler(std::variant<MainControl, MenuCommand> source) {
  // The handler of each clickable image and each menu item that can be chosen; any other click
  // or command runs none.
  static constexpr struct {
    std::variant<MainControl, MenuCommand> source;
    void (MainWindow::*handler)();
  } kHandlers[] = {
      {MainControl::imgMain, &MainWindow::imgMain_Click},
      {MainControl::imgSP, &MainWindow::imgSP_Click},
      {MainControl::imgMP, &MainWindow::imgMP_Click},
      {MainControl::imgJoin, &MainWindow::imgJoin_Click},
      {MainControl::imgStartSP, &MainWindow::imgStartSP_Click},
      {MenuCommand::Exit, &MainWindow::menuExit_Click},
      {MenuCommand::SetQuakeDirectory, &MainWindow::menuSQD_Click},
      {MenuCommand::DebugWindow, &MainWindow::menuDebugMode_Click},
      {MenuCommand::About, &MainWindow::menuAbout_Click},
  };
  if (program_.Ended() || !view_) return;
  for (const auto& row : kHandlers) {
    if (row.source == source) return (this->*row.handler)();
  }
}

void MainWindow::Form_Unload() { program_.End(); }

void MainWindow::TextChanged(TextField field) {
  if (!takingEdit_) ShowText(field);
}

void MainWindow::ListChanged(ListField field) { ShowList(field); }

Result MainWindow::PreviewChanged() {
  return view_->ShowPicture(MainControl::imgLevel, launcher_.State().Preview());
}

void MainWindow::ShowText(TextField field) {
  const std::optional<MainControl> control = ControlOf(field);
  if (!control) return;
  settingText_ = true;
  shown_[Row(*control)] = view_->SetText(*control, launcher_.State().Text(field));
  settingText_ = false;
  // A screen reader names the preview by the map it shows.
  if (field == TextField::MapTitle) {
    view_->SetAccessibleName(MainControl::imgLevel, launcher_.State().Text(field));
  }
}

void MainWindow::ShowList(ListField field) {
  settingText_ = true;
  view_->SetList(ControlOf(field), launcher_.State().List(field));
  settingText_ = false;
}

void MainWindow::EndView() {
  if (view_) view_->End();
}

void MainWindow::imgMain_Click() { ShowPanelAfter(ClickAction::ShowMainPanel); }

void MainWindow::imgSP_Click() { ShowPanelAfter(ClickAction::ShowStartPanel); }

void MainWindow::imgMP_Click() { view_->Beep(); }

void MainWindow::imgJoin_Click() { view_->Beep(); }

// The player is shown why a launch was refused or failed.
void MainWindow::imgStartSP_Click() { (void)launcher_.StartGame(); }

void MainWindow::menuExit_Click() { program_.End(); }

void MainWindow::menuSQD_Click() { launcher_.SetQuakeDir(); }

void MainWindow::menuDebugMode_Click() {
  if (console_) console_->Show();
}

void MainWindow::menuAbout_Click() {
  const Desktop::OpenBox open(desktop_);
  view_->ShowMessage(kAboutText);
}

// The player is shown what of the map could not be loaded.
void MainWindow::listMap_Click() { (void)launcher_.LoadMap(); }

void MainWindow::ShowPanelAfter(ClickAction panelSwitch) {
  panels_ = PanelsAfter(panelSwitch, panels_);
  HidePanels();
  if (panels_.mainPanel) view_->SetVisible(MainControl::picMain, true);
  if (panels_.startPanel) view_->SetVisible(MainControl::picSP, true);
}

void MainWindow::HidePanels() {
  view_->SetVisible(MainControl::picMain, false);
  view_->SetVisible(MainControl::picSP, false);
}

}  // namespace kovar
