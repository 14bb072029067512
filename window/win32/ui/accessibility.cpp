// The system's accessibility names a control by its window text, and reads
// the system's own controls (statics, buttons, the tab control, scroll
// bars) by themselves. What it cannot know is which window names another:
// the caption beside a value, the "Index:" caption before an index box and
// its scroll bar, the header's text for the header the program draws.
// A tie is kept here, so the toolkit can answer GetLabelledBy, and given to
// the system's accessibility through its property service
// (IAccPropServices): the tied window's name is its label's text, read
// when a screen reader asks, so a caption changed later is read as it is
// now; its own text, when it has one (a value), is its value, so that both
// are read together; and a window the program draws itself (not one of the
// system's controls: the header, the sunken values) is static text.
#include "window/win32/ui/system_headers.h"

#include <initguid.h>
#include <oleacc.h>

#include "window/ui/accessibility.h"

#include <iterator>
#include <string>

#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace window::ui {

namespace {

// The system's S_OK, a name the vocabulary keeps for itself.
constexpr HRESULT kOk = 0;

// The property service, made once on the window thread; null where the
// system has none (the ties are then kept for GetLabelledBy only).
IAccPropServices* Service() {
    static IAccPropServices* service = [] {
        // The window thread is a single-threaded apartment; a second call
        // only counts.
        const HRESULT initialised = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(initialised) && initialised != RPC_E_CHANGED_MODE) return static_cast<IAccPropServices*>(nullptr);
        IAccPropServices* made = nullptr;
        if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                      reinterpret_cast<void**>(&made)))) {
            return static_cast<IAccPropServices*>(nullptr);
        }
        return made;
    }();
    return service;
}

// A label's text as it is read: an access-key marker "&" taken out, "&&"
// one "&".
std::wstring ReadText(HWND window) {
    const std::wstring text = GetWindowText(window);
    std::wstring read;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        read += text[i];
    }
    return read;
}

::BSTR Bstr(const std::wstring& text) { return ::SysAllocStringLen(text.data(), static_cast<::UINT>(text.size())); }

// Answers the name and value of every tied window when the system asks.
class TieServer final : public IAccPropServer {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IAccPropServer) {
            *out = static_cast<IAccPropServer*>(this);
            return kOk;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // One server for the process's life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE GetPropValue(const BYTE* identity, DWORD length, MSAAPROPID property, VARIANT* value,
                                           BOOL* has) override {
        *has = FALSE;
        ::VariantInit(value);
        IAccPropServices* service = Service();
        ::HWND native = nullptr;
        DWORD object = 0;
        DWORD child = 0;
        if (!service || FAILED(service->DecomposeHwndIdentityString(identity, length, &native, &object, &child))) {
            return kOk;
        }
        const HWND window = win32::Handle(native);
        const HWND label = GetLabelledBy(window);
        if (!label) return kOk;
        std::wstring text;
        if (property == PROPID_ACC_NAME) {
            text = ReadText(label);
        } else if (property == PROPID_ACC_VALUE) {
            text = GetWindowText(window);
            if (text.empty()) return kOk;  // the system's own value (a scroll bar's position)
        } else {
            return kOk;
        }
        value->vt = VT_BSTR;
        value->bstrVal = Bstr(text);
        *has = TRUE;
        return kOk;
    }
};

TieServer g_server;

const MSAAPROPID kServed[] = {PROPID_ACC_NAME, PROPID_ACC_VALUE};
const MSAAPROPID kAll[] = {PROPID_ACC_NAME, PROPID_ACC_VALUE, PROPID_ACC_ROLE};

// Drawn by the program: the toolkit's own windows, and statics it draws
// (SS_OWNERDRAW), which the system cannot read.
bool DrawnByTheProgram(::HWND window, const win32::WindowRecord& record) {
    if (!record.systemControl) return true;
    char systemClass[16] = {};
    ::GetClassNameA(window, systemClass, sizeof(systemClass));
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE));
    return ::lstrcmpiA(systemClass, "Static") == 0 && (style & SS_TYPEMASK) == SS_OWNERDRAW;
}

constexpr ::UINT_PTR kSubclassId = 0x56414343;  // takes the annotations back when the window goes

LRESULT CALLBACK ClearOnDestroy(::HWND window, ::UINT message, ::WPARAM wParam, ::LPARAM lParam, ::UINT_PTR, ::DWORD_PTR) {
    if (message == WM_NCDESTROY) {
        if (IAccPropServices* service = Service()) {
            service->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, kAll, static_cast<int>(std::size(kAll)));
        }
        ::RemoveWindowSubclass(window, &ClearOnDestroy, kSubclassId);
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

void Annotate(HWND window, const win32::WindowRecord& record, bool tied) {
    IAccPropServices* service = Service();
    if (!service) return;
    ::HWND native = win32::Native(window);
    if (!tied) {
        service->ClearHwndProps(native, OBJID_CLIENT, CHILDID_SELF, kAll, static_cast<int>(std::size(kAll)));
        return;
    }
    service->SetHwndPropServer(native, OBJID_CLIENT, CHILDID_SELF, kServed, static_cast<int>(std::size(kServed)), &g_server,
                               ANNO_THIS);
    if (DrawnByTheProgram(native, record)) {
        VARIANT role;
        ::VariantInit(&role);
        role.vt = VT_I4;
        role.lVal = ROLE_SYSTEM_STATICTEXT;
        service->SetHwndProp(native, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE, role);
    }
    ::SetWindowSubclass(native, &ClearOnDestroy, kSubclassId, 0);
}

}  // namespace

bool SetLabelledBy(HWND window, HWND label) {
    win32::WindowRecord* record = win32::RecordOf(window);
    if (!record || (label && !IsWindow(label))) return false;
    // A chain of labels that comes back to the window would name it by
    // itself: refused.
    for (HWND at = label; at; at = GetLabelledBy(at)) {
        if (at == window) return false;
    }
    record->labelledBy = label;
    Annotate(window, *record, label != nullptr);
    return true;
}

HWND GetLabelledBy(HWND window) {
    const win32::WindowRecord* record = win32::RecordOf(window);
    return record && IsWindow(record->labelledBy) ? record->labelledBy : nullptr;
}

}  // namespace window::ui
