// The Windows windows as a screen reader reads them through MSAA (AccessibleObjectFromWindow):
// what each control is called and what it is, what its default action is, and what a press does.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "WindowTestSupport.h"

namespace kovar::win32::test {
namespace {

std::string Narrow(BSTR text) {
  std::string bytes;
  if (!text) return bytes;
  const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(length > 0 ? length - 1 : 0));
  WideCharToMultiByte(CP_ACP, 0, text, -1, bytes.data(), length, nullptr, nullptr);
  SysFreeString(text);
  return bytes;
}

// What a screen reader hears of a window's client object.
struct Heard {
  std::string name;
  long role = 0;
  std::string action;
  long state = 0;
  bool operator==(const Heard&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Heard& heard) {
  return out << "\"" << heard.name << "\", role " << heard.role << ", action \"" << heard.action
             << "\"";
}

IAccessible* ObjectOf(HWND window) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return nullptr;
  }
  return object;
}

Heard Hear(HWND window) {
  Heard heard;
  IAccessible* object = ObjectOf(window);
  if (!object) return heard;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  if (object->get_accName(self, &text) == S_OK) heard.name = Narrow(text);
  VARIANT value{};
  if (SUCCEEDED(object->get_accRole(self, &value)) && value.vt == VT_I4) heard.role = value.lVal;
  text = nullptr;
  if (object->get_accDefaultAction(self, &text) == S_OK) heard.action = Narrow(text);
  VariantInit(&value);
  if (SUCCEEDED(object->get_accState(self, &value)) && value.vt == VT_I4) heard.state = value.lVal;
  object->Release();
  return heard;
}

HRESULT Press(HWND window) {
  IAccessible* object = ObjectOf(window);
  if (!object) return E_NOINTERFACE;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  const HRESULT result = object->accDoDefaultAction(self);
  object->Release();
  Pump();
  return result;
}

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
};

TEST_F(Accessibility, EveryControlAPlayerActsOnIsNamedWithItsRoleAndAction) {
  Start();
  const frmDebug& console = app->DebugWindow();
  struct Expected {
    HWND control;
    Heard heard;
    bool focusable = false;
  };
  const std::vector<Expected> controls = {
      {Control(MainControl::imgMain), {"Main", ROLE_SYSTEM_PUSHBUTTON, "Press"}},
      {Control(MainControl::imgSP), {"Single Player", ROLE_SYSTEM_PUSHBUTTON, "Press"}},
      {Control(MainControl::imgMP), {"Multi Player", ROLE_SYSTEM_PUSHBUTTON, "Press"}},
      {Control(MainControl::imgJoin), {"Join", ROLE_SYSTEM_PUSHBUTTON, "Press"}},
      {Control(MainControl::imgStartSP), {"Start", ROLE_SYSTEM_PUSHBUTTON, "Press"}},
      {Control(MainControl::imgLogo1), {"Kovar Launcher", ROLE_SYSTEM_GRAPHIC, ""}},
      {console.Control(DebugControl::cmdSend), {"Send", ROLE_SYSTEM_PUSHBUTTON, "Press"}, true},
  };
  for (const Expected& expected : controls) {
    Heard heard = Hear(expected.control);
    EXPECT_FALSE(heard.state & STATE_SYSTEM_INVISIBLE) << heard;
    EXPECT_EQ((heard.state & STATE_SYSTEM_FOCUSABLE) != 0, expected.focusable) << heard;
    heard.state = 0;
    EXPECT_EQ(heard, expected.heard);
  }
  // The fields keep the system's roles; their names are their captions, not their text or the
  // label before them in the window order.
  const std::vector<std::pair<HWND, const char*>> fields = {
      {Control(MainControl::comboEXE), "EXE"},
      {Part(Control(MainControl::comboEXE), true), "EXE"},
      {Control(MainControl::listMap), "Map"},
      {Part(Control(MainControl::listMap), true), "Map"},
      {Part(Control(MainControl::listMap), false), "Map"},
      {Control(MainControl::txtCpar), "Custom Parameters"},
      {console.Control(DebugControl::listDebug), "Log"},
      {console.Control(DebugControl::txtMain), "Command"},
  };
  for (const auto& [field, name] : fields) EXPECT_EQ(Hear(field).name, name);
  // Decoration is kept from screen readers.
  for (MainControl decoration :
       {MainControl::imgTile1, MainControl::imgTile6, MainControl::Line1}) {
    EXPECT_TRUE(Hear(Control(decoration)).state & STATE_SYSTEM_INVISIBLE)
        << Describe(decoration).name;
  }
}

// The windows renamed, as a screen reader is told: Windows' name change events.
std::vector<HWND> renamed;
void CALLBACK Renamed(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT || object == OBJID_WINDOW) {
    if (child == CHILDID_SELF) renamed.push_back(window);
  }
}

TEST_F(Accessibility, ChoosingAMapNamesAndAnnouncesThePreview) {
  Start();
  EXPECT_EQ(Hear(Control(MainControl::imgLevel)).name, "");
  renamed.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                       Renamed, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ClickEntry(ComboList(Control(MainControl::listMap)), 1);
  Pump();
  UnhookWinEvent(hook);
  EXPECT_EQ(Hear(Control(MainControl::imgLevel)), (Heard{"Keep", ROLE_SYSTEM_GRAPHIC, ""}));
  EXPECT_EQ(Hear(Control(MainControl::lblMapTitle)).name, "Keep");
  EXPECT_EQ(Hear(Control(MainControl::lblMapDes)).name, "A keep.");
  // The labels' own change is Windows' to announce when their text is set (Wine does not).
  EXPECT_NE(std::find(renamed.begin(), renamed.end(), Control(MainControl::imgLevel)),
            renamed.end());
}

TEST_F(Accessibility, APressDoesWhatAClickDoesAndOnlyWhereAClickCould) {
  // The launch script cannot be written: a start that is reached says so in a box.
  std::filesystem::create_directory(dir.File("run.bat"));
  Start();
  HWND picMain = Control(MainControl::picMain);
  HWND picSP = Control(MainControl::picSP);
  // The start image lies on the hidden panel, where no click can reach it.
  EXPECT_EQ(Press(Control(MainControl::imgStartSP)), E_FAIL);
  EXPECT_EQ(Press(Control(MainControl::imgSP)), S_OK);
  EXPECT_TRUE(IsWindowVisible(picSP) && !IsWindowVisible(picMain));
  EXPECT_EQ(Press(Control(MainControl::imgJoin)), S_OK);
  EXPECT_TRUE(IsWindowVisible(picSP) && !IsWindowVisible(picMain));
  {
    BoxAnswerer boxes([](HWND box) { BoxAnswerer::Press(box, IDOK); });
    EXPECT_EQ(Press(Control(MainControl::imgStartSP)), S_OK);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_NE(boxes.seen[0].texts.back().find("run.bat"), std::string::npos);
  }
  EXPECT_EQ(Press(Control(MainControl::imgMain)), S_OK);
  EXPECT_TRUE(IsWindowVisible(picMain) && !IsWindowVisible(picSP));
  EXPECT_NE(Press(Control(MainControl::imgLogo1)), S_OK);
}

}  // namespace
}  // namespace kovar::win32::test
