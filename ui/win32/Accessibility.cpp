// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The accessible object of a launcher control: the system's standard object for the control,
// with the name, role, state and default action that the window description gives it.
#include "Accessibility.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "DrawnControls.h"
#include "WindowsFacilities.h"

namespace kovar {

namespace {

// The COM and accessibility functions the objects need, loaded from the system's folder when a
// screen reader first asks for an object: a run without a screen reader never loads their
// libraries. Null where a library or function is missing.
struct OleFunctions {
  decltype(&CoInitializeEx) coInitializeEx = nullptr;
  decltype(&CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
  decltype(&LresultFromObject) lresultFromObject = nullptr;
  decltype(&AccessibleObjectFromWindow) accessibleObjectFromWindow = nullptr;
  decltype(&SysAllocStringLen) sysAllocStringLen = nullptr;
  decltype(&CreateStreamOnHGlobal) createStreamOnHGlobal = nullptr;
  decltype(&CoMarshalInterface) coMarshalInterface = nullptr;

  bool Complete() const {
    return coInitializeEx && createStdAccessibleObject && lresultFromObject &&
           accessibleObjectFromWindow && sysAllocStringLen;
  }
};

// A system library from the system's folder only, never one planted beside the program or in the
// current folder: by the system's own search where kernel32 offers it (Windows 8, and 7 with
// KB2533623, which adds AddDllDirectory), else by its full path, whose own folder then serves the
// libraries it needs in turn.
HMODULE LoadSystemLibrary(const char* library) {
  if (SystemFunction<void>("kernel32.dll", "AddDllDirectory")) {
    return LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder, length) + "\\" + library;
  return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

template <typename Function>
void Find(const char* library, const char* name, Function& function) {
  HMODULE module = LoadSystemLibrary(library);
  if (module)
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Loaded once, on the windows' thread, which alone answers WM_GETOBJECT.
const OleFunctions& Ole() {
  static const OleFunctions functions = [] {
    OleFunctions found;
    Find("ole32.dll", "CoInitializeEx", found.coInitializeEx);
    Find("oleacc.dll", "CreateStdAccessibleObject", found.createStdAccessibleObject);
    Find("oleacc.dll", "LresultFromObject", found.lresultFromObject);
    Find("oleacc.dll", "AccessibleObjectFromWindow", found.accessibleObjectFromWindow);
    Find("oleaut32.dll", "SysAllocStringLen", found.sysAllocStringLen);
    Find("ole32.dll", "CreateStreamOnHGlobal", found.createStreamOnHGlobal);
    Find("ole32.dll", "CoMarshalInterface", found.coMarshalInterface);
    return found;
  }();
  return functions;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

struct Releaser {
  void operator()(IAccessible* object) const { object->Release(); }
};
using Object = std::unique_ptr<IAccessible, Releaser>;

// Text for a screen reader: the control's bytes read in the ANSI code page, as the control shows
// them.
BSTR Wide(const std::string& text) {
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  BSTR wide = Ole().sysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (wide && length > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide, length);
  }
  return wide;
}

LONG RoleOf(AccessibleRole role, bool label) {
  if (label) return ROLE_SYSTEM_STATICTEXT;
  return role == AccessibleRole::PushButton ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_GRAPHIC;
}

// Asks the top-level window of `window` whether control `number` can be used now.
LRESULT AskWindow(HWND window, int number) {
  return SendMessageA(GetAncestor(window, GA_ROOT), kCanUseMessage, static_cast<WPARAM>(number), 0);
}

// Where the window does not decide: `control` and its window can take the player's input.
bool TakesInput(HWND control) {
  return IsWindowVisible(control) && IsWindowEnabled(control) &&
         IsWindowEnabled(GetAncestor(control, GA_ROOT));
}

// Only where a mouse click could land (`reachable`, where the window does not decide); posted to
// `handler`, as a button does, so that the screen reader is not kept waiting while the click runs
// (it may open a box) and the box comes after the call, announced as any other.
HRESULT Press(HWND window, HWND handler, int number, bool reachable, HWND from) {
  const LRESULT answer = AskWindow(window, number);
  if (answer == kNotUsable || (answer == 0 && !reachable)) return E_FAIL;
  const WORD code = answer == kUsable ? kPressNotification : STN_CLICKED;
  PostMessageA(handler, WM_COMMAND, MAKEWPARAM(number, code), reinterpret_cast<LPARAM>(from));
  return S_OK;
}

HRESULT Text(const std::string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = text.empty() ? nullptr : Wide(text);
  return text.empty() ? S_FALSE : S_OK;
}

// A COM object ends in its own Release, never through a pointer to its interface: the interface
// needs no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AccessibleControl final : public IAccessible {
 public:
  AccessibleControl(HWND control, int number, IAccessible* standard, std::string name,
                    AccessibleRole role, const DrawnChildren* drawn)
      : control_(control),
        number_(number),
        standard_(standard),
        name_(std::move(name)),
        role_(role),
        drawn_(drawn) {}
  AccessibleControl(const AccessibleControl&) = delete;
  AccessibleControl& operator=(const AccessibleControl&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: screen readers call the interface directly; scripting it is not offered.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // What the description gives the control itself and the controls it draws.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (const Object own = WindowObject(child)) return own->get_accName(Self(), name);
    if (const auto drawn = Drawn(child)) return Text(drawn->name, name);
    if (!IsSelf(child) || (name_.empty() && role_ == AccessibleRole::Standard)) {
      return standard_->get_accName(child, name);
    }
    return Text(name_, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (const Object own = WindowObject(child)) return own->get_accRole(Self(), role);
    const auto drawn = Drawn(child);
    if (!drawn && (!IsSelf(child) || role_ == AccessibleRole::Standard)) {
      return standard_->get_accRole(child, role);
    }
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = drawn ? RoleOf(drawn->role, drawn->label) : RoleOf(role_, false);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (const Object own = WindowObject(child)) return own->get_accState(Self(), state);
    if (const auto drawn = Drawn(child)) {
      if (!state) return E_POINTER;
      state->vt = VT_I4;
      // Drawn controls take no focus, and hide with their container.
      state->lVal = IsWindowVisible(control_) ? 0 : STATE_SYSTEM_INVISIBLE;
      if (drawn->label) state->lVal |= STATE_SYSTEM_READONLY;
      AddRoleState(drawn->role, drawn->number, state->lVal);
      return S_OK;
    }
    const HRESULT result = standard_->get_accState(child, state);
    if (FAILED(result) || !IsSelf(child) || role_ == AccessibleRole::Standard) return result;
    // A control outside the Tab order takes no keyboard focus.
    if (!(GetWindowLongPtrA(control_, GWL_STYLE) & WS_TABSTOP)) {
      state->lVal &= ~(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    }
    AddRoleState(role_, GetDlgCtrlID(control_), state->lVal);
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (const Object own = WindowObject(child)) return own->get_accDefaultAction(Self(), action);
    const auto drawn = Drawn(child);
    if (!drawn && (!IsSelf(child) || role_ != AccessibleRole::PushButton)) {
      return standard_->get_accDefaultAction(child, action);
    }
    return Text(drawn && drawn->role != AccessibleRole::PushButton ? "" : "Press", action);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (const Object own = WindowObject(child)) return own->accDoDefaultAction(Self());
    if (const auto drawn = Drawn(child)) {
      if (drawn->role != AccessibleRole::PushButton) return DISP_E_MEMBERNOTFOUND;
      return Press(control_, GetAncestor(control_, GA_ROOT), drawn->number,
                   IsWindowVisible(control_) != FALSE, nullptr);
    }
    if (!IsSelf(child) || role_ != AccessibleRole::PushButton) {
      return standard_->accDoDefaultAction(child);
    }
    return Press(control_, GetParent(control_), number_,
                 IsWindowVisible(control_) && IsWindowEnabled(control_), control_);
  }

  // The container's windows and drawn controls, in the order they are read.
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    const HRESULT result = standard_->get_accChildCount(count);
    if (SUCCEEDED(result) && drawn_) *count = drawn_->Count(control_);
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    const auto read = Read(child);
    if (!read) return standard_->get_accChild(child, object);
    if (!object) return E_POINTER;
    *object = nullptr;
    // A drawn control is an element of its container's object, not an object of its own.
    if (!read->window) return S_FALSE;
    return Ole().accessibleObjectFromWindow(read->window, static_cast<DWORD>(OBJID_CLIENT),
                                            __uuidof(IDispatch), reinterpret_cast<void**>(object));
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (const Object own = WindowObject(child))
      return own->accLocation(left, top, width, height, Self());
    const auto drawn = Drawn(child);
    if (!drawn) return standard_->accLocation(left, top, width, height, child);
    if (!left || !top || !width || !height) return E_POINTER;
    *left = drawn->place.left;
    *top = drawn->place.top;
    *width = drawn->place.right - drawn->place.left;
    *height = drawn->place.bottom - drawn->place.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    const HRESULT result = standard_->accHitTest(x, y, child);
    // The windows lie in front of what the container draws.
    if (result != S_OK || !drawn_ || child->vt != VT_I4 || child->lVal != CHILDID_SELF) {
      return result;
    }
    const int index = drawn_->At(control_, POINT{x, y});
    if (index >= 0) child->lVal = index + 1;
    return result;
  }

  // Everything else as the system's own object for the window says; a drawn control has none.
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (const Object own = WindowObject(child)) return own->get_accValue(Self(), value);
    return Drawn(child) ? Text("", value) : standard_->get_accValue(child, value);
  }
  // A list's entry may be described by the window that shows it.
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (const Object own = WindowObject(child)) return own->get_accDescription(Self(), description);
    if (Drawn(child)) return Text("", description);
    if (!IsSelf(child) && child.vt == VT_I4 && child.lVal > 0) {
      const auto* entry = reinterpret_cast<const std::string*>(
          SendMessageA(GetAncestor(control_, GA_ROOT), kDescribeEntryMessage,
                       reinterpret_cast<WPARAM>(control_), child.lVal - 1));
      if (entry) return Text(*entry, description);
    }
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Read(child) ? Text("", help) : standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    if (!Read(child)) return standard_->get_accHelpTopic(file, child, topic);
    if (file) *file = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    if (const Object own = WindowObject(child))
      return own->get_accKeyboardShortcut(Self(), shortcut);
    return Drawn(child) ? Text("", shortcut) : standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return Read(child) ? DISP_E_MEMBERNOTFOUND : standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return Read(start) ? DISP_E_MEMBERNOTFOUND : standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  // An edit goes only where the player could type now: no box open, the field's panel shown.
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    const LRESULT answer = AskWindow(control_, number_);
    if (answer == kNotUsable || (answer == 0 && !TakesInput(control_))) return E_FAIL;
    return standard_->put_accValue(child, value);
  }

 private:
  ~AccessibleControl() { standard_->Release(); }

  // The child that `child` names, if it names one.
  std::optional<DrawnChild> Read(const VARIANT& child) const {
    if (!drawn_ || child.vt != VT_I4 || child.lVal < 1 || child.lVal > drawn_->Count(control_)) {
      return std::nullopt;
    }
    return drawn_->Child(control_, child.lVal - 1);
  }
  // The drawn control that `child` names, if it names one.
  std::optional<DrawnChild> Drawn(const VARIANT& child) const {
    auto read = Read(child);
    if (read && read->window) return std::nullopt;
    return read;
  }
  // The object of the child window that `child` names, if it names one: asked of itself.
  Object WindowObject(const VARIANT& child) const {
    const auto read = Read(child);
    IAccessible* object = nullptr;
    if (read && read->window &&
        FAILED(Ole().accessibleObjectFromWindow(read->window, static_cast<DWORD>(OBJID_CLIENT),
                                                __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&object)))) {
      object = nullptr;
    }
    return Object(object);
  }

  // Decoration is hidden from screen readers; a button that cannot be pressed now says so.
  void AddRoleState(AccessibleRole role, int number, LONG& state) const {
    if (role == AccessibleRole::Decoration) state |= STATE_SYSTEM_INVISIBLE;
    if (role == AccessibleRole::PushButton && AskWindow(control_, number) == kNotUsable) {
      state |= STATE_SYSTEM_UNAVAILABLE;
    }
  }

  HWND control_;
  int number_;
  IAccessible* standard_;
  std::string name_;
  AccessibleRole role_;
  const DrawnChildren* drawn_;
  std::atomic<ULONG> references_{1};
};
#pragma GCC diagnostic pop

// The number of the control a row of either window's table describes: the row's place in its
// table, from the first control number on. A combo box's field and list are known by the box's.
int NumberOf(const ControlDescription& row) {
  using Table = std::span<const ControlDescription>;
  for (const Table table : {Table(kMainWindowControls), Table(kDebugWindowControls)}) {
    if (&row >= table.data() && &row < table.data() + table.size()) {
      return kFirstControlId + static_cast<int>(&row - table.data());
    }
  }
  return 0;
}

LRESULT CALLBACK NamedProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR described) {
  if (message == WM_GETOBJECT) {
    const auto* row = reinterpret_cast<const ControlDescription*>(described);
    if (const LRESULT object = AnswerGetObject(control, wParam, lParam, NumberOf(*row),
                                               row->accessibleName, row->accessibleRole)) {
      return object;
    }
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, NamedProc, 0);
  return DefSubclassProc(control, message, wParam, lParam);
}

// Keeps the interfaces a screen reader is handed registered with COM for as long as the windows'
// thread runs: one copy of each is marshalled into a stream that is never released. Otherwise COM
// registers an object's interfaces when it is handed over and unregisters them once the screen
// reader lets go of it, waiting for calls on them to end; under Wine that wait misses a call that
// ends at the same moment and lasts for ever, and the windows freeze. `object` is any object that
// has them all (a standard one does).
void KeepInterfacesRegistered(IAccessible& object) {
  static thread_local bool kept = false;
  if (kept) return;
  kept = true;
  const OleFunctions& ole = Ole();
  if (!ole.createStreamOnHGlobal || !ole.coMarshalInterface) return;
  for (const IID& iid : {__uuidof(IAccessible), __uuidof(IDispatch), __uuidof(IEnumVARIANT)}) {
    IStream* stream = nullptr;
    if (FAILED(ole.createStreamOnHGlobal(nullptr, TRUE, &stream))) return;
    if (FAILED(ole.coMarshalInterface(stream, iid, &object, MSHCTX_LOCAL, nullptr,
                                      MSHLFLAGS_TABLESTRONG))) {
      stream->Release();
    }
  }
}

}  // namespace

LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam, int number,
                        const std::string& name, AccessibleRole role, const DrawnChildren* drawn) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  const OleFunctions& ole = Ole();
  if (!ole.Complete()) return 0;
  // The object is handed over through COM, which this thread may not have started yet.
  static thread_local const HRESULT com = ole.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)com;
  IAccessible* standard = nullptr;
  if (FAILED(ole.createStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  KeepInterfacesRegistered(*standard);
  auto* object = new AccessibleControl(control, number, standard, name, role, drawn);
  const LRESULT answer = ole.lresultFromObject(__uuidof(IAccessible), wParam, object);
  object->Release();
  return answer > 0 ? answer : 0;
}

void ForgetForScreenReaders(HWND control) { RemoveWindowSubclass(control, NamedProc, 0); }

void DescribeForScreenReaders(HWND control, const ControlDescription& row) {
  const auto described = reinterpret_cast<DWORD_PTR>(&row);
  SetWindowSubclass(control, NamedProc, 0, described);
  // In a combo box, a screen reader lands on the field the player types in, or on its list.
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  if (GetComboBoxInfo(control, &parts)) {
    if (parts.hwndItem) SetWindowSubclass(parts.hwndItem, NamedProc, 0, described);
    if (parts.hwndList) SetWindowSubclass(parts.hwndList, NamedProc, 0, described);
  }
}

void TellPanelShown(HWND panel, bool shown) {
  NotifyWinEvent(EVENT_OBJECT_REORDER, GetParent(panel), OBJID_CLIENT, CHILDID_SELF);
  // The system tells of the window object only.
  if (!shown) NotifyWinEvent(EVENT_OBJECT_HIDE, panel, OBJID_CLIENT, CHILDID_SELF);
}

void AnnouncePanel(HWND panel) {
  NotifyWinEvent(EVENT_OBJECT_SHOW, panel, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace kovar
