// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows windows as a screen reader reads them through MSAA (AccessibleObjectFromWindow):
// what each control is called and what it is, what its default action is, and what a press does.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ScreenReaderView.h"
#include "WindowTestSupport.h"

namespace kovar::test {
namespace {

HWND Part(HWND combo, bool field) {
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(combo, &parts);
  return field ? parts.hwndItem : parts.hwndList;
}

class Accessibility : public LauncherWindows {
 protected:
  void SetUp() override {
    LauncherWindows::SetUp();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  }
  // Where a screen reader reaches a control: its own window, or a child of what draws it.
  std::pair<HWND, LONG> Reach(MainControl control) {
    if (HWND window = Control(control)) return {window, CHILDID_SELF};
    const DrawnControls& drawn = app->frmMain().Drawn();
    return {drawn.ContainerOf(control), drawn.ChildId(control)};
  }
  Heard Hear(MainControl control) {
    const auto [window, child] = Reach(control);
    return test::Hear(window, child);
  }
  HRESULT Press(MainControl control) {
    const auto [window, child] = Reach(control);
    const HRESULT result = PressThroughScreenReader(window, child);
    Pump();
    return result;
  }
};

// Every row of both tables, as its description names it and gives it its role, the parts of a
// combo box too; where the description names nothing, the system names a label by its text.
TEST_F(Accessibility, EveryControlIsNamedWithItsRoleAndAction) {
  Start();
  const frmDebug& console = app->frmDebug();
  struct Reached {
    HWND window;
    LONG child;
    const ControlDescription* row;
  };
  std::vector<Reached> rows;
  for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
    const auto [window, child] = Reach(static_cast<MainControl>(row));
    rows.push_back({window, child, &kMainWindowControls[row]});
  }
  for (std::size_t row = 0; row < kDebugWindowControls.size(); ++row) {
    rows.push_back({console.Control(static_cast<DebugControl>(row)), CHILDID_SELF,
                    &kDebugWindowControls[row]});
  }
  for (const auto& [control, child, row] : rows) {
    // Decoration is kept from screen readers: no child of what draws it.
    if (row->accessibleRole == AccessibleRole::Decoration) {
      EXPECT_EQ(child, CHILDID_SELF) << row->name;
      continue;
    }
    const Heard heard = test::Hear(control, child);
    // What the window draws hides with the panel that holds it.
    const bool hiddenPanel = child != CHILDID_SELF && !IsWindowVisible(control);
    const bool button = row->accessibleRole == AccessibleRole::PushButton;
    EXPECT_EQ((heard.state & STATE_SYSTEM_INVISIBLE) != 0, !row->visible || hiddenPanel) << heard;
    if (row->kind == ControlKind::Panel) {
      EXPECT_EQ(heard.name, PanelName(static_cast<MainControl>(row - kMainWindowControls.data())));
      continue;
    }
    const std::string name = *row->accessibleName ? row->accessibleName : row->text;
    EXPECT_EQ(heard.name, name) << row->name;
    for (HWND part : {Part(control, true), Part(control, false)})
      EXPECT_EQ(part ? test::Hear(part).name : name, name) << row->name;
    // The fields keep the system's roles.
    if (row->accessibleRole == AccessibleRole::Standard) continue;
    EXPECT_EQ((heard.state & STATE_SYSTEM_FOCUSABLE) != 0, row->focusOrder > 0) << heard;
    EXPECT_EQ(heard,
              (Heard{row->accessibleName, button ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_GRAPHIC,
                     button ? "Press" : ""}));
  }
}

// What a screen reader is told of the windows' client objects: Windows' events.
std::vector<std::pair<HWND, LONG>> renamed;
void CALLBACK Renamed(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) renamed.push_back({window, child});
}

// The names of a container's children, in the order a screen reader reads them.
std::vector<std::string> ReadChildren(HWND container) {
  const auto asked =
      AskClientObject(container, CHILDID_SELF, "its children", [](IAccessible& object, VARIANT) {
        std::vector<std::string> read;
        LONG count = 0;
        object.get_accChildCount(&count);
        std::vector<VARIANT> children(static_cast<std::size_t>(count));
        LONG got = 0;
        AccessibleChildren(&object, 0, count, children.data(), &got);
        for (LONG i = 0; i < got; ++i) {
          VARIANT& child = children[static_cast<std::size_t>(i)];
          BSTR name = nullptr;
          if (child.vt == VT_DISPATCH) {
            IAccessible* own = nullptr;
            child.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&own));
            VARIANT self{};
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            if (own) own->get_accName(self, &name);
            if (own) own->Release();
          } else {
            object.get_accName(child, &name);
          }
          read.push_back(Narrow(name));
          VariantClear(&child);
        }
        return read;
      });
  EXPECT_TRUE(asked.answer) << asked.failure;
  return asked.answer.value_or(std::vector<std::string>{});
}

// Each container read in the description's order, the hidden panel left out, each panel named
// by the image that shows it, and announced when it is shown.
TEST_F(Accessibility, TheWindowReadsAsTheDescriptionSaysAndAPanelShownIsAnnounced) {
  Start();
  renamed.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_SHOW, nullptr, Renamed,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  for (MainControl shown : {MainControl::imgMain, MainControl::imgSP}) {
    Click(shown);
    Pump();
    for (Container container : {Container::Window, Container::MainPanel, Container::StartPanel}) {
      HWND holder =
          container == Container::Window ? app->frmMain().Window() : Control(PanelOf(container));
      const auto order = ReadingOrderOf(kMainWindowControls, container);
      std::vector<std::string> expected;
      for (std::size_t i = 0; i < order.count && IsWindowVisible(holder); ++i) {
        const auto control = static_cast<MainControl>(order.rows[i]);
        const ControlDescription& row = Describe(control);
        if (row.kind == ControlKind::Panel && !IsWindowVisible(Control(control))) continue;
        expected.push_back(row.kind == ControlKind::Panel ? PanelName(control)
                           : *row.accessibleName          ? row.accessibleName
                                                          : app->frmMain().Drawn().Text(control));
      }
      EXPECT_EQ(IsWindowVisible(holder) ? ReadChildren(holder) : std::vector<std::string>{},
                expected)
          << Describe(shown).name;
    }
  }
  UnhookWinEvent(hook);
  const std::vector<std::pair<HWND, LONG>> announced = {
      {Control(MainControl::picMain), CHILDID_SELF}, {Control(MainControl::picSP), CHILDID_SELF}};
  EXPECT_EQ(renamed, announced);
}

TEST_F(Accessibility, ChoosingAMapNamesAndAnnouncesThePreview) {
  Start();
  EXPECT_EQ(Hear(MainControl::imgLevel).name, "");
  renamed.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                       Renamed, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ClickEntry(ComboList(Control(MainControl::listMap)), 1);
  Pump();
  UnhookWinEvent(hook);
  EXPECT_EQ(Hear(MainControl::imgLevel), (Heard{"Keep", ROLE_SYSTEM_GRAPHIC, ""}));
  EXPECT_EQ(Hear(MainControl::lblMapTitle).name, "Keep");
  EXPECT_EQ(Hear(MainControl::lblMapDes).name, "A keep.");
  // The chosen entry is described by them, for the screen reader that reads the list.
  const auto described = AskClientObject(
      ComboList(Control(MainControl::listMap)), 2, "get_accDescription",
      [](IAccessible& object, VARIANT entry) {
        BSTR description = nullptr;
        return object.get_accDescription(entry, &description) == S_OK ? Narrow(description)
                                                                      : std::string("(none)");
      });
  EXPECT_EQ(described.answer, std::optional<std::string>("Keep. A keep.")) << described.failure;
  for (const MainControl control :
       {MainControl::imgLevel, MainControl::lblMapTitle, MainControl::lblMapDes}) {
    EXPECT_NE(std::find(renamed.begin(), renamed.end(), Reach(control)), renamed.end())
        << Describe(control).name;
  }
}

TEST_F(Accessibility, APressDoesWhatAClickDoesAndOnlyWhereAClickCould) {
  // The launch script cannot be written: a start that is reached says so in a box.
  std::filesystem::create_directory(dir.File("run.bat"));
  Start();
  HWND picMain = Control(MainControl::picMain);
  HWND picSP = Control(MainControl::picSP);
  // The start image lies on the hidden panel, where no click can reach it.
  EXPECT_EQ(Press(MainControl::imgStartSP), E_FAIL);
  EXPECT_EQ(Press(MainControl::imgSP), S_OK);
  EXPECT_TRUE(IsWindowVisible(picSP) && !IsWindowVisible(picMain));
  EXPECT_EQ(Press(MainControl::imgJoin), S_OK);
  EXPECT_TRUE(IsWindowVisible(picSP) && !IsWindowVisible(picMain));
  {
    BoxAnswerer boxes([](HWND box) { BoxAnswerer::Press(box, IDOK); });
    // The press returns before the box opens, so that the box is announced as any other.
    const auto [panel, start] = Reach(MainControl::imgStartSP);
    EXPECT_EQ(PressThroughScreenReader(panel, start), S_OK);
    EXPECT_TRUE(boxes.seen.empty());
    Pump();
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_NE(boxes.seen[0].texts.back().find("run.bat"), std::string::npos);
  }
  EXPECT_EQ(Press(MainControl::imgMain), S_OK);
  EXPECT_TRUE(IsWindowVisible(picMain) && !IsWindowVisible(picSP));
  EXPECT_NE(Press(MainControl::imgLogo1), S_OK);
}

// A screen reader's edit of a field goes only where the player could type: never behind a box,
// nor into a field on a hidden panel.
TEST_F(Accessibility, AnEditGoesOnlyWhereThePlayerCouldType) {
  Start();
  HWND field = Control(MainControl::txtCpar);
  EXPECT_EQ(EditThroughScreenReader(field, "+skill 3"), S_OK);
  EXPECT_EQ(Text(TextField::CustomParams), "+skill 3");
  {
    HRESULT behindABox = S_OK;
    BoxAnswerer boxes([&](HWND box) {
      behindABox = EditThroughScreenReader(field, "-behind-a-box");
      BoxAnswerer::Press(box, IDOK);
    });
    EXPECT_TRUE(app->Core().RunCommand("exec missing.kvx").failed());
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(behindABox, E_FAIL);
  }
  Click(MainControl::imgSP);
  Pump();
  EXPECT_EQ(EditThroughScreenReader(field, "-on-a-hidden-panel"), E_FAIL);
  EXPECT_EQ(Text(TextField::CustomParams), "+skill 3");
}

}  // namespace
}  // namespace kovar::test
