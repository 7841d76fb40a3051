// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's handlers and its binding to the launcher state.
#include "MainBehaviour.h"

#include <optional>
#include <utility>
#include <variant>

#include "BmpDecoder.h"
#include "DebugBehaviour.h"
#include "Desktop.h"
#include "Launcher.h"
#include "LauncherProgram.h"
#include "OneLine.h"
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

// A panel's place among the two.
std::size_t PanelIndex(MainControl panel) { return panel == MainControl::picSP ? 1 : 0; }

}  // namespace

MainBehaviour::MainBehaviour(LauncherProgram& program, Desktop& desktop)
    : program_(program),
      launcher_(program.Core()),
      desktop_(desktop),
      panels_{Describe(MainControl::picMain).visible, Describe(MainControl::picSP).visible} {
  desktop_.SetBoxObserver(this);
}

MainBehaviour::~MainBehaviour() {
  desktop_.SetBoxObserver(nullptr);
  if (view_) launcher_.State().RemoveObserver(this);
}

void MainBehaviour::Form_Load(MainView& view) {
  const bool firstView = !view_;
  view_ = &view;
  // The map listing, begun as the program started, is taken here, before the lists are shown.
  launcher_.FillLists();
  for (TextField field :
       {TextField::EngineText, TextField::MapSelection, TextField::CustomParams}) {
    ShowText(field);
  }
  for (MapText text : {MapText::Title, MapText::Description}) ShowMapText(text);
  ShowList(ListField::EngineList);
  ShowList(ListField::MapList);
  // A picture set before the window existed; one it cannot draw stays unshown.
  (void)PreviewChanged();
  if (firstView) launcher_.State().AddObserver(this);
}

void MainBehaviour::PlayerEdited(MainControl control, const std::string& bytes) {
  const std::optional<TextField> field = EditedField(control);
  if (program_.Ended() || !view_ || settingText_ || !field) return;
  const std::string kept = OneLine(bytes);
  // A line break that a skin let through is not kept, nor shown.
  if (kept != bytes) {
    settingText_ = true;
    (void)view_->SetText(control, kept);
    settingText_ = false;
  }
  // A field that still shows the value it was given keeps that value's exact bytes.
  if (kept == shown_[Row(control)]) return;
  shown_[Row(control)] = kept;
  takingEdit_ = true;
  launcher_.State().SetText(*field, kept);
  takingEdit_ = false;
}

void MainBehaviour::PlayerChose(MainControl control, std::size_t entry) {
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
  if (control == MainControl::listMap) {
    chosenMap_ = entry;
    listMap_Click();
  }
}

// What a click on an image does is the description's click column.
void MainBehaviour::ImageClicked(MainControl control) { RunHandler(Describe(control).click); }

void MainBehaviour::ControlPressed(MainControl control) {
  if (CanPress(control)) ImageClicked(control);
}

bool MainBehaviour::CanPress(MainControl control) const {
  return Describe(control).accessibleRole == AccessibleRole::PushButton && Reachable(control);
}

bool MainBehaviour::CanEdit(MainControl control) const {
  return EditedField(control).has_value() && Reachable(control);
}

bool MainBehaviour::Reachable(MainControl control) const {
  if (program_.Ended() || desktop_.BoxOpen()) return false;
  return Shown(control);
}

void MainBehaviour::MenuChosen(MenuCommand command) { RunHandler(command); }

void MainBehaviour::RunHandler(std::variant<ClickAction, MenuCommand> source) {
  // The handler of each click the description gives an image and of each menu item that can be
  // chosen; any other click or command runs none.
  static constexpr struct {
    std::variant<ClickAction, MenuCommand> source;
    void (MainBehaviour::*handler)();
  } kHandlers[] = {
      {ClickAction::ShowMainPanel, &MainBehaviour::imgMain_Click},
      {ClickAction::ShowStartPanel, &MainBehaviour::imgSP_Click},
      {ClickAction::Beep, &MainBehaviour::Beep_Click},
      {ClickAction::StartGame, &MainBehaviour::imgStartSP_Click},
      {MenuCommand::Exit, &MainBehaviour::menuExit_Click},
      {MenuCommand::SetQuakeDirectory, &MainBehaviour::menuSQD_Click},
      {MenuCommand::DebugWindow, &MainBehaviour::menuDebugMode_Click},
      {MenuCommand::About, &MainBehaviour::menuAbout_Click},
  };
  if (program_.Ended() || !view_) return;
  for (const auto& row : kHandlers) {
    if (row.source == source) return (this->*row.handler)();
  }
}

void MainBehaviour::Form_Unload() { program_.End(); }

void MainBehaviour::TextChanged(TextField field) {
  if (!takingEdit_) ShowText(field);
}

void MainBehaviour::MapTextChanged(MapText text) { ShowMapText(text); }

void MainBehaviour::ListChanged(ListField field) { ShowList(field); }

Result MainBehaviour::PreviewChanged() {
  return view_->ShowPicture(MainControl::imgLevel, launcher_.State().Map().picture);
}

void MainBehaviour::ShowText(TextField field) {
  if (const std::optional<MainControl> control = ControlOf(field)) {
    Show(*control, launcher_.State().Text(field));
  }
}

void MainBehaviour::DescribeChosenMap() {
  const auto& maps = launcher_.State().List(ListField::MapList);
  // Only the entry that names the map shown: the field may hold a name the player typed.
  if (!chosenMap_ || *chosenMap_ >= maps.size() ||
      maps[*chosenMap_] != launcher_.State().Text(TextField::MapSelection)) {
    return;
  }
  view_->DescribeEntry(MainControl::listMap, *chosenMap_,
                       ChosenMapDescription(shown_[Row(MainControl::lblMapTitle)],
                                            shown_[Row(MainControl::lblMapDes)]));
}

void MainBehaviour::ShowMapText(MapText text) {
  const LoadedMap& map = launcher_.State().Map();
  if (text == MapText::Description) {
    Show(MainControl::lblMapDes, map.description);
  } else {
    Show(MainControl::lblMapTitle, map.name);
    // A screen reader names the preview by the map it shows.
    view_->SetAccessibleName(MainControl::imgLevel, map.name);
  }
  DescribeChosenMap();
}

void MainBehaviour::Show(MainControl control, const std::string& text) {
  settingText_ = true;
  shown_[Row(control)] = view_->SetText(control, text);
  settingText_ = false;
}

void MainBehaviour::ShowList(ListField field) {
  if (field == ListField::MapList) chosenMap_.reset();
  settingText_ = true;
  view_->SetList(ControlOf(field), launcher_.State().List(field));
  settingText_ = false;
}

void MainBehaviour::EndView() {
  if (view_) view_->End();
}

void MainBehaviour::imgMain_Click() { ShowPanelAfter(ClickAction::ShowMainPanel); }

void MainBehaviour::imgSP_Click() { ShowPanelAfter(ClickAction::ShowStartPanel); }

void MainBehaviour::Beep_Click() { view_->Beep(); }

// The player is shown why a launch was refused or failed.
void MainBehaviour::imgStartSP_Click() { (void)launcher_.StartGame(); }

void MainBehaviour::menuExit_Click() { program_.End(); }

void MainBehaviour::menuSQD_Click() { launcher_.SetQuakeDir(); }

void MainBehaviour::menuDebugMode_Click() {
  if (console_) console_->Show();
}

void MainBehaviour::menuAbout_Click() {
  const Desktop::OpenBox open(desktop_);
  view_->ShowMessage(kAboutText);
}

// The player is shown what of the map could not be loaded.
void MainBehaviour::listMap_Click() { (void)launcher_.LoadMap(); }

void MainBehaviour::ShowPanelAfter(ClickAction panelSwitch) {
  panels_ = PanelsAfter(panelSwitch, panels_);
  HidePanel(MainControl::picMain);
  HidePanel(MainControl::picSP);
  const MainControl shown = panels_.startPanel ? MainControl::picSP : MainControl::picMain;
  view_->SetVisible(shown, true);
  // Only if nothing else took the focus meanwhile.
  const MainControl had = std::exchange(focusInHidden_[PanelIndex(shown)], MainControl::Count);
  if (had != MainControl::Count && view_->Focused() == MainControl::Count) view_->Focus(had);
  view_->Announce(shown);
}

void MainBehaviour::HidePanel(MainControl panel) {
  // Moved before the panel hides: a toolkit would leave it where it is, out of sight, or hand it
  // to whatever it finds next.
  const MainControl focused = view_->Focused();
  if (focused != MainControl::Count && Describe(focused).container != Container::Window &&
      PanelOf(Describe(focused).container) == panel) {
    focusInHidden_[PanelIndex(panel)] = focused;
    view_->Focus(MainControl::Count);
  }
  view_->SetVisible(panel, false);
}

bool MainBehaviour::Shown(MainControl control) const {
  if (control == MainControl::Count) return true;
  switch (Describe(control).container) {
    case Container::MainPanel:
      return panels_.mainPanel;
    case Container::StartPanel:
      return panels_.startPanel;
    case Container::Window:
      break;
  }
  return Describe(control).visible;
}

void MainBehaviour::BoxesOpening() {
  if (view_) focusBeforeBox_ = view_->Focused();
}

void MainBehaviour::BoxesClosed() {
  if (program_.Ended() || !view_) return;
  view_->Focus(Shown(focusBeforeBox_) ? focusBeforeBox_ : MainControl::Count);
}

}  // namespace kovar
