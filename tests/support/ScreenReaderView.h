// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A window's controls as a screen reader reads them on Windows, through MSAA: the name, role,
// state and default action of a window's client object, and its press. Works from the window's
// own process and from another one; the calling thread must have started COM. Every call is made
// within a bound (BoundedCall.h) and, unanswered, says what it asked of which window.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <atomic>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "BoundedCall.h"

namespace kovar::test {

// The first call that went unanswered, once one has: the process behind it is taken as stuck, and
// every later call fails at once with it rather than waiting out the bound again.
inline std::string& FirstUnanswered() {
  static std::string first;
  return first;
}

// What a call on a window's client object came to: its answer, or why there is none.
template <typename Answer>
struct Asked {
  std::optional<Answer> answer;
  std::string failure;  // the window gives no object, or did not answer in time
};

// Calls `use(object, child)` with the window's client object, asked for as a screen reader asks
// (WM_GETOBJECT, then the object from its answer, or the system's standard object for a window
// that answers 0), on a thread of its own within the bound; `what` names the call for a failure.
template <typename Use>
auto AskClientObject(HWND window, LONG child, const std::string& what, Use use)
    -> Asked<decltype(use(std::declval<IAccessible&>(), VARIANT{}))> {
  using Answer = decltype(use(std::declval<IAccessible&>(), VARIANT{}));
  const std::string asked = what +
                            (child == CHILDID_SELF ? "" : " of child " + std::to_string(child)) +
                            " of " + WindowName(window);
  if (!FirstUnanswered().empty()) return {std::nullopt, asked + " not asked: " + FirstUnanswered()};
  enum class Got { Answered, NoObject, NoMessageAnswer };
  // How far the call's thread got, for a failure to say what it was waiting for; shared, since the
  // thread may outlive this call.
  static constexpr const char* kSteps[] = {"WM_GETOBJECT", "the object from its answer",
                                           "the call itself"};
  const auto step = std::make_shared<std::atomic<int>>(0);
  const auto reply = CallWithin([window, child, use, step]() -> std::pair<Got, Answer> {
    const std::optional<LRESULT> sent =
        SendWithin(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    if (!sent) return {Got::NoMessageAnswer, Answer{}};
    *step = 1;
    IAccessible* object = nullptr;
    const HRESULT found =
        *sent > 0
            ? ObjectFromLresult(*sent, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&object))
            : CreateStdAccessibleObject(window, static_cast<LONG>(OBJID_CLIENT),
                                        __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    if (FAILED(found) || !object) return {Got::NoObject, Answer{}};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = child;
    *step = 2;
    Answer answer = use(*object, self);
    object->Release();
    return {Got::Answered, std::move(answer)};
  });
  if (!reply || reply->first == Got::NoMessageAnswer) {
    FirstUnanswered() = "no answer within " + std::to_string(kAnswerBound / 1000) + " s to " +
                        asked + ", waiting for " + kSteps[reply ? 0 : step->load()];
    return {std::nullopt, FirstUnanswered()};
  }
  if (reply->first == Got::NoObject) return {std::nullopt, "no client object for " + asked};
  return {std::move(reply->second), {}};
}

struct Heard {
  std::string name;
  long role = 0;
  std::string action;
  long state = 0;
  std::string failure = {};  // why nothing was heard, when nothing was
  // What a player is told; the state is checked on its own.
  bool operator==(const Heard& other) const {
    return name == other.name && role == other.role && action == other.action;
  }
};

inline std::ostream& operator<<(std::ostream& out, const Heard& heard) {
  if (!heard.failure.empty()) return out << heard.failure;
  return out << "\"" << heard.name << "\", role " << heard.role << ", action \"" << heard.action
             << "\", state " << heard.state;
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
  Asked<Heard> asked = AskClientObject(
      window, child, "name, role, state and default action", [](IAccessible& object, VARIANT self) {
        Heard heard;
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
        return heard;
      });
  if (asked.answer) return *asked.answer;
  Heard nothing;
  nothing.failure = asked.failure;
  return nothing;
}

// How many children the window's client object counts; nothing, with why, when it says nothing.
inline Asked<LONG> ChildCount(HWND window) {
  return AskClientObject(window, CHILDID_SELF, "get_accChildCount",
                         [](IAccessible& object, VARIANT) {
                           LONG count = 0;
                           object.get_accChildCount(&count);
                           return count;
                         });
}

// Does the default action of the window or its child, as a screen reader's "press"; the call's
// result, E_NOINTERFACE for a window that gives no object, RPC_E_TIMEOUT for one that did not
// answer.
inline HRESULT PressThroughScreenReader(HWND window, LONG child = CHILDID_SELF) {
  const Asked<HRESULT> asked = AskClientObject(
      window, child, "accDoDefaultAction",
      [](IAccessible& object, VARIANT self) { return object.accDoDefaultAction(self); });
  if (asked.answer) return *asked.answer;
  return FirstUnanswered().empty() ? E_NOINTERFACE : RPC_E_TIMEOUT;
}

// Sets the window's value, as a screen reader's edit of a field; the call's result, as a press's.
inline HRESULT EditThroughScreenReader(HWND window, const std::string& text) {
  const std::wstring wide(text.begin(), text.end());
  const Asked<HRESULT> asked = AskClientObject(
      window, CHILDID_SELF, "put_accValue", [wide](IAccessible& object, VARIANT self) {
        BSTR value = SysAllocString(wide.c_str());
        const HRESULT result = object.put_accValue(self, value);
        SysFreeString(value);
        return result;
      });
  if (asked.answer) return *asked.answer;
  return FirstUnanswered().empty() ? E_NOINTERFACE : RPC_E_TIMEOUT;
}

}  // namespace kovar::test
