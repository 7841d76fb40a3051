// The accessible object of a launcher control: the system's standard object for the control,
// with the name, role, state and default action that the window description gives it.
#include "Accessibility.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>

namespace kovar {

namespace {

// The COM and accessibility functions the objects need, loaded from the system's folder when a
// screen reader first asks for an object: a run without a screen reader never loads their
// libraries. Null where a library or function is missing.
struct OleFunctions {
  decltype(&CoInitializeEx) coInitializeEx = nullptr;
  decltype(&CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
  decltype(&LresultFromObject) lresultFromObject = nullptr;
  decltype(&SysAllocStringLen) sysAllocStringLen = nullptr;

  bool Complete() const {
    return coInitializeEx && createStdAccessibleObject && lresultFromObject && sysAllocStringLen;
  }
};

template <typename Function>
void Find(const char* library, const char* name, Function& function) {
  HMODULE module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
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
    Find("oleaut32.dll", "SysAllocStringLen", found.sysAllocStringLen);
    return found;
  }();
  return functions;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

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

// A COM object ends in its own Release, never through a pointer to its interface: the interface
// needs no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AccessibleControl final : public IAccessible {
 public:
  AccessibleControl(HWND control, IAccessible* standard, std::string name, AccessibleRole role)
      : control_(control), standard_(standard), name_(std::move(name)), role_(role) {}
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

  // What the description gives the control itself.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child) || (name_.empty() && role_ == AccessibleRole::Standard)) {
      return standard_->get_accName(child, name);
    }
    if (!name) return E_POINTER;
    *name = name_.empty() ? nullptr : Wide(name_);
    return name_.empty() ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) || role_ == AccessibleRole::Standard)
      return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = role_ == AccessibleRole::PushButton ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_GRAPHIC;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = standard_->get_accState(child, state);
    if (FAILED(result) || !IsSelf(child) || role_ == AccessibleRole::Standard) return result;
    // A control outside the Tab order (an image) takes no keyboard focus; decoration is hidden
    // from screen readers.
    if (!(GetWindowLongPtrA(control_, GWL_STYLE) & WS_TABSTOP)) {
      state->lVal &= ~(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    }
    if (role_ == AccessibleRole::Decoration) state->lVal |= STATE_SYSTEM_INVISIBLE;
    if (role_ == AccessibleRole::PushButton && AskWindow() == kNotPressable) {
      state->lVal |= STATE_SYSTEM_UNAVAILABLE;
    }
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!IsSelf(child) || role_ != AccessibleRole::PushButton) {
      return standard_->get_accDefaultAction(child, action);
    }
    if (!action) return E_POINTER;
    *action = Ole().sysAllocStringLen(L"Press", 5);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child) || role_ != AccessibleRole::PushButton) {
      return standard_->accDoDefaultAction(child);
    }
    // Only where a mouse click could land; posted, as a button does, so that the screen reader
    // is not kept waiting while the click runs (it may open a box).
    const LRESULT answer = AskWindow();
    if (answer == kNotPressable ||
        (answer == 0 && (!IsWindowVisible(control_) || !IsWindowEnabled(control_)))) {
      return E_FAIL;
    }
    const WORD code = answer == kPressable ? kPressNotification : STN_CLICKED;
    PostMessageA(GetParent(control_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control_), code),
                 reinterpret_cast<LPARAM>(control_));
    return S_OK;
  }

  // Everything else as the system's own object for the window says.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~AccessibleControl() { standard_->Release(); }

  LRESULT AskWindow() const {
    return SendMessageA(GetAncestor(control_, GA_ROOT), kCanPressMessage, 0,
                        reinterpret_cast<LPARAM>(control_));
  }

  HWND control_;
  IAccessible* standard_;
  std::string name_;
  AccessibleRole role_;
  std::atomic<ULONG> references_{1};
};
#pragma GCC diagnostic pop

LRESULT CALLBACK NamedProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR described) {
  if (message == WM_GETOBJECT) {
    const auto* row = reinterpret_cast<const ControlDescription*>(described);
    if (const LRESULT object =
            AnswerGetObject(control, wParam, lParam, row->accessibleName, row->accessibleRole)) {
      return object;
    }
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, NamedProc, 0);
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam, const std::string& name,
                        AccessibleRole role) {
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
  auto* object = new AccessibleControl(control, standard, name, role);
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
  // The system tells of the window object only.
  NotifyWinEvent(shown ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, panel, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace kovar
