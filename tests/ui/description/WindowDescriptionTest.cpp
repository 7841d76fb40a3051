// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window description's rules, checked without any toolkit.
#include "WindowDescription.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace kovar {
namespace {

bool Overlap(const TwipsRect& a, const TwipsRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(WindowDescription, TheLogoLiesBehindTheImagesThatOverlapIt) {
  std::vector<std::string> overlapping;
  for (std::size_t front = 0; front < kMainWindowControls.size(); ++front) {
    for (std::size_t back = front + 1; back < kMainWindowControls.size(); ++back) {
      const auto& a = kMainWindowControls[front];
      const auto& b = kMainWindowControls[back];
      if (a.container == b.container && a.kind != ControlKind::Panel &&
          b.kind != ControlKind::Panel && a.kind != ControlKind::Label &&
          b.kind != ControlKind::Label && Overlap(a.place, b.place)) {
        overlapping.push_back(std::string(a.name) + " over " + b.name);
      }
    }
  }
  EXPECT_EQ(overlapping,
            (std::vector<std::string>{"imgMain over imgLogo1", "imgTile1 over imgLogo1"}));
}

TEST(WindowDescription, FocusGoesThroughTheThreeFieldsOnlyInOrder) {
  const struct {
    const ControlDescription* begin;
    const ControlDescription* end;
    std::vector<std::string> order;
  } windows[] = {
      {kMainWindowControls.data(),
       kMainWindowControls.data() + kMainWindowControls.size(),
       {"comboEXE", "txtCpar", "listMap"}},
      {kDebugWindowControls.data(),
       kDebugWindowControls.data() + kDebugWindowControls.size(),
       {"listDebug", "txtMain", "cmdSend"}},
  };
  for (const auto& window : windows) {
    std::vector<std::string> order(window.order.size());
    for (auto control = window.begin; control != window.end; ++control) {
      if (control->focusOrder == 0) continue;
      ASSERT_LE(static_cast<std::size_t>(control->focusOrder), order.size()) << control->name;
      order[static_cast<std::size_t>(control->focusOrder - 1)] = control->name;
    }
    EXPECT_EQ(order, window.order);
  }
}

// As a screen reader reads the main window: column by column, each from the top, decoration
// left out; each panel named by the image that shows it.
TEST(WindowDescription, AScreenReaderReadsEachContainerAsLaidOut) {
  const struct {
    Container container;
    std::vector<std::string> read;
  } containers[] = {
      {Container::Window,
       {"Kovar Launcher", "Main", "Single Player", "Multi Player", "Join", "Main", "Main",
        "Single Player"}},
      {Container::MainPanel,
       {"EXE:", "EXE", "Map:", "Map", "Custom Parameters:", "Custom Parameters", "lblMapTitle",
        "imgLevel", "lblMapDes"}},
      {Container::StartPanel, {"Start"}},
  };
  for (const auto& c : containers) {
    const auto order = ReadingOrderOf(kMainWindowControls, c.container);
    std::vector<std::string> read;
    for (std::size_t i = 0; i < order.count; ++i) {
      const auto control = static_cast<MainControl>(order.rows[i]);
      const ControlDescription& row = Describe(control);
      // Named as a screen reader names it; the map's labels and preview by their row.
      read.push_back(row.kind == ControlKind::Panel ? PanelName(control)
                     : *row.accessibleName          ? row.accessibleName
                     : *row.text                    ? row.text
                                                    : row.name);
    }
    EXPECT_EQ(read, c.read);
  }
  const std::pair<std::string, std::string> maps[] = {{"Keep", "A keep."}, {"Keep", ""}, {"", ""}};
  std::vector<std::string> described;
  for (const auto& [title, description] : maps)
    described.push_back(ChosenMapDescription(title, description));
  EXPECT_EQ(described, (std::vector<std::string>{"Keep. A keep.", "Keep", ""}));
}

TEST(WindowDescription, OnlyExitSetQuakeDirectoryAndAboutCanBeChosen) {
  std::vector<std::string> choosable;
  std::set<std::string> names;
  for (const auto& item : kMainMenu) {
    EXPECT_TRUE(names.insert(item.name).second) << item.name;
    if (item.parent != Menu::Bar && item.visible && item.enabled) choosable.push_back(item.caption);
  }
  EXPECT_EQ(choosable, (std::vector<std::string>{"E&xit", "&Set Quake Directory", "&About"}));
}

TEST(WindowDescription, PanelSwitchesShowExactlyOnePanel) {
  const PanelVisibility main{true, false};
  const PanelVisibility start{false, true};
  const struct {
    ClickAction click;
    PanelVisibility before;
    PanelVisibility after;
  } cases[] = {
      {ClickAction::ShowStartPanel, main, start}, {ClickAction::ShowStartPanel, start, start},
      {ClickAction::ShowMainPanel, start, main},  {ClickAction::ShowMainPanel, main, main},
      {ClickAction::Beep, start, start},          {ClickAction::StartGame, start, start},
  };
  for (const auto& c : cases) EXPECT_EQ(PanelsAfter(c.click, c.before), c.after);
}

TEST(WindowDescription, ConsoleListFillsTheClientAreaBelowTheTextBox) {
  const struct {
    int width;
    int height;
    PixelsRect list;
  } cases[] = {
      {Pixels(6000), Pixels(4000), {0, 24, 400, 242}},  // 6000 x 3640 twips
      {312, 213, {0, 24, 312, 189}},                    // as first shown
      {160, 10, {0, 24, 160, 0}},                       // lower than the list's top
  };
  for (const auto& c : cases) EXPECT_EQ(DebugListPlace(c.width, c.height), c.list);
}

TEST(WindowDescription, TwipsBecomePixelsAtFifteenALineKeepingOnePixel) {
  EXPECT_EQ(Pixels(Describe(MainControl::imgLevel).place), (PixelsRect{120, 16, 120, 90}));
  EXPECT_EQ(Pixels(Describe(MainControl::Line1).place), (PixelsRect{136, 80, 256, 1}));
  EXPECT_EQ(Pixels(kMainWindowFrame.clientWidth), 399);
  EXPECT_EQ(Pixels(kMainWindowFrame.clientHeight), 291);
}

}  // namespace
}  // namespace kovar
