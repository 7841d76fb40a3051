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
    const DrawnControls& drawn = app->MainWindow().Drawn();
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
  const frmDebug& console = app->DebugWindow();
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
    const Heard heard = test::Hear(control, child);
    // What the window draws hides with the panel that holds it.
    const bool hiddenPanel = child != CHILDID_SELF && !IsWindowVisible(control);
    const bool button = row->accessibleRole == AccessibleRole::PushButton;
    const bool decoration = row->accessibleRole == AccessibleRole::Decoration;
    // Decoration is kept from screen readers.
    EXPECT_EQ((heard.state & STATE_SYSTEM_INVISIBLE) != 0,
              decoration || !row->visible || hiddenPanel)
        << heard;
    if (decoration) continue;
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

// The windows renamed, as a screen reader is told: Windows' name change events.
std::vector<std::pair<HWND, LONG>> renamed;
void CALLBACK Renamed(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) renamed.push_back({window, child});
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
