// A window's controls as a screen reader reads them on Windows, through MSAA: the name, role,
// state and default action of a window's client object, and its press. Works from the window's
// own process and from another one; the calling thread must have started COM.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <ostream>
#include <string>

namespace kovar::test {

struct Heard {
  std::string name;
  long role = 0;
  std::string action;
  long state = 0;
  // What a player is told; the state is checked on its own.
  bool operator==(const Heard& other) const {
    return name == other.name && role == other.role && action == other.action;
  }
};

inline std::ostream& operator<<(std::ostream& out, const Heard& heard) {
  return out << "\"" << heard.name << "\", role " << heard.role << ", action \"" << heard.action
             << "\", state " << heard.state;
}

// Calls `use` with the window's client object and `child` of it (itself by default); false when
// the window gives none.
template <typename Use>
bool WithClientObject(HWND window, Use use, LONG child = CHILDID_SELF) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return false;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = child;
  use(*object, self);
  object->Release();
  return true;
}

// Takes a screen reader's text: wide characters, read back in the ANSI code page.
inline std::string Narrow(BSTR text) {
  std::string bytes;
  if (!text) return bytes;
  const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(length > 0 ? length - 1 : 0));
  WideCharToMultiByte(CP_ACP, 0, text, -1, bytes.data(), length, nullptr, nullptr);
  SysFreeString(text);
  return bytes;
}

inline Heard Hear(HWND window, LONG child = CHILDID_SELF) {
  Heard heard;
  WithClientObject(
      window,
      [&heard](IAccessible& object, VARIANT self) {
        BSTR text = nullptr;
        if (object.get_accName(self, &text) == S_OK) heard.name = Narrow(text);
        text = nullptr;
        if (object.get_accDefaultAction(self, &text) == S_OK) heard.action = Narrow(text);
        VARIANT value{};
        if (SUCCEEDED(object.get_accRole(self, &value)) && value.vt == VT_I4)
          heard.role = value.lVal;
        VariantInit(&value);
        if (SUCCEEDED(object.get_accState(self, &value)) && value.vt == VT_I4)
          heard.state = value.lVal;
      },
      child);
  return heard;
}

// Does the default action of the window or its child, as a screen reader's "press".
inline HRESULT PressThroughScreenReader(HWND window, LONG child = CHILDID_SELF) {
  HRESULT result = E_NOINTERFACE;
  WithClientObject(
      window,
      [&result](IAccessible& object, VARIANT self) { result = object.accDoDefaultAction(self); },
      child);
  return result;
}

}  // namespace kovar::test
