// The page as the container sees it: a document with a command target (print, copy, find), its
// window (print, the event object of a script error), and the body and style elements that the
// container reaches late bound.

#include <string>

#include "standin/protocol.h"
#include "standin/standin.h"

namespace velvane::standin {
namespace {

const GUID kHtmlCommandGroup = {0xED016940, 0xBD5B, 0x11CF, {0xBA, 0x4E, 0x00, 0xC0, 0x4F, 0xD7, 0x08, 0x16}};

// Property DISPIDs are the position in the name list plus one.
DISPID IdOf(std::size_t index) {
    return static_cast<DISPID>(index + 1);
}

HRESULT FindNames(const std::vector<std::wstring>& known, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT result = S_OK;
    for (UINT n = 0; n < count; ++n) {
        ids[n] = DISPID_UNKNOWN;
        for (std::size_t i = 0; i < known.size(); ++i) {
            if (_wcsicmp(known[i].c_str(), names[n]) == 0) ids[n] = IdOf(i);
        }
        if (ids[n] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

// The style of the body: the container sets its cursor.
class Style final : public NamedDispatch {
public:
    Style() : NamedDispatch("style", {L"cursor"}) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

protected:
    HRESULT GetProperty(std::size_t, VARIANT* result) override {
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocString(cursor_.c_str());
        return S_OK;
    }
    HRESULT PutProperty(std::size_t, const VARIANT& value) override {
        cursor_ = V_VT(&value) == VT_BSTR && V_BSTR(&value) ? V_BSTR(&value) : L"";
        Log("page cursor = " + Utf8(cursor_));
        return S_OK;
    }

private:
    LONG refs_ = 1;
    std::wstring cursor_ = L"auto";
};

class Body final : public NamedDispatch {
public:
    Body() : NamedDispatch("body", {L"style"}), style_(ComPtr<IDispatch>::Attach(new Style())) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

protected:
    HRESULT GetProperty(std::size_t, VARIANT* result) override {
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = ComPtr<IDispatch>::Share(style_.get()).release();
        return S_OK;
    }

private:
    LONG refs_ = 1;
    ComPtr<IDispatch> style_;
};

template <typename T>
HRESULT Hand(T* pointer, T** out) {
    if (!out) return E_POINTER;
    *out = pointer;
    if (pointer) pointer->AddRef();
    return S_OK;
}

}  // namespace

// ---- NamedDispatch ----

NamedDispatch::NamedDispatch(std::string owner, std::vector<std::wstring> names)
    : owner_(std::move(owner)), names_(std::move(names)) {}

STDMETHODIMP NamedDispatch::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

STDMETHODIMP NamedDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP NamedDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return FindNames(names_, names, count, ids);
}

STDMETHODIMP NamedDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) {
    if (id < 1 || static_cast<std::size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    std::size_t index = static_cast<std::size_t>(id - 1);
    std::string what = "host> " + owner_ + "." + Utf8(names_[index]);
    HRESULT hr = DISP_E_MEMBERNOTFOUND;
    if ((flags & DISPATCH_PROPERTYPUT) && params && params->cArgs == 1) {
        hr = PutProperty(index, params->rgvarg[0]);
        Log(what + " put -> " + HrText(hr));
    } else if ((flags & DISPATCH_PROPERTYGET) && result) {
        VariantInit(result);
        hr = GetProperty(index, result);
        Log(what + " get -> " + HrText(hr));
    }
    return hr;
}

HRESULT NamedDispatch::GetProperty(std::size_t, VARIANT*) {
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT NamedDispatch::PutProperty(std::size_t, const VARIANT&) {
    return DISP_E_MEMBERNOTFOUND;
}

ComPtr<IDispatch> CreateBody() {
    return ComPtr<IDispatch>::Attach(new Body());
}

// ---- Document ----

Document::Document(Browser& browser, const std::wstring& url)
    : url_(url),
      window_(ComPtr<PageWindow>::Attach(new PageWindow(&browser))),
      body_(CreateBody()),
      browser_(&browser) {}

Document::~Document() = default;

void Document::Detach() {
    browser_ = nullptr;
    window_->Detach();
}

STDMETHODIMP Document::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IHTMLDocument) ||
        iid == __uuidof(IHTMLDocument2)) {
        *object = static_cast<IHTMLDocument2*>(this);
    } else if (iid == IID_IOleCommandTarget) {
        *object = static_cast<IOleCommandTarget*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) Document::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) Document::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP Document::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

STDMETHODIMP Document::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Document::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return FindNames({L"body", L"parentWindow", L"URL"}, names, count, ids);
}

STDMETHODIMP Document::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                              EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    VariantInit(result);
    switch (id) {
        case 1:
            Log("host> document.body get");
            V_VT(result) = VT_DISPATCH;
            return Hand(body_.get(), &V_DISPATCH(result));
        case 2:
            Log("host> document.parentWindow get");
            V_VT(result) = VT_DISPATCH;
            return Hand(static_cast<IDispatch*>(static_cast<HtmlWindow2Stubs*>(window_.get())),
                        &V_DISPATCH(result));
        case 3:
            V_VT(result) = VT_BSTR;
            V_BSTR(result) = SysAllocString(url_.c_str());
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

STDMETHODIMP Document::get_parentWindow(IHTMLWindow2** window) {
    Log("host> IHTMLDocument2::get_parentWindow");
    return Hand(static_cast<IHTMLWindow2*>(window_.get()), window);
}

STDMETHODIMP Document::get_body(IHTMLElement** body) {
    Log("host> IHTMLDocument2::get_body (no element interface) -> E_NOTIMPL");
    if (body) *body = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Document::get_URL(BSTR* url) {
    if (!url) return E_POINTER;
    *url = SysAllocString(url_.c_str());
    return S_OK;
}

STDMETHODIMP Document::QueryStatus(const GUID*, ULONG count, OLECMD commands[], OLECMDTEXT*) {
    for (ULONG i = 0; commands && i < count; ++i) commands[i].cmdf = OLECMDF_SUPPORTED | OLECMDF_ENABLED;
    return S_OK;
}

STDMETHODIMP Document::Exec(const GUID* group, DWORD id, DWORD option, VARIANT*, VARIANT*) {
    std::string what;
    if (!group && id == OLECMDID_COPY) what = "copy";
    else if (!group && id == OLECMDID_PRINT) what = "print";
    else if (group && *group == kHtmlCommandGroup && id == 1) what = "find";
    HRESULT hr = what.empty() ? OLECMDERR_E_NOTSUPPORTED : S_OK;
    Log("host> document Exec(" + std::string(group ? "group" : "no group") + ", " + std::to_string(id) +
        ", " + std::to_string(option) + ") -> " + HrText(hr));
    if (!what.empty()) Log(std::string(kPageCommand) + " " + what);
    // The find dialog is the control's own modal UI.
    if (what == "find" && browser_) browser_->RunModal("find");
    return hr;
}

// ---- PageWindow ----

PageWindow::~PageWindow() = default;

STDMETHODIMP PageWindow::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IHTMLFramesCollection2) ||
        iid == __uuidof(IHTMLWindow2)) {
        *object = static_cast<IHTMLWindow2*>(this);
    } else if (iid == __uuidof(IHTMLWindow3)) {
        *object = static_cast<IHTMLWindow3*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) PageWindow::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) PageWindow::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP PageWindow::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

STDMETHODIMP PageWindow::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP PageWindow::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return FindNames({L"event"}, names, count, ids);
}

STDMETHODIMP PageWindow::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                EXCEPINFO*, UINT*) {
    if (id != 1 || !(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    Log("host> window.event get");
    VariantInit(result);
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = nullptr;
    if (event_) event_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&V_DISPATCH(result)));
    return S_OK;
}

STDMETHODIMP PageWindow::get_event(IHTMLEventObj** event) {
    Log(std::string("host> IHTMLWindow2::get_event -> ") + (event_ ? "event" : "none"));
    return Hand(event_.get(), event);
}

STDMETHODIMP PageWindow::print() {
    Log("host> IHTMLWindow3::print -> S_OK");
    Log(std::string(kPageCommand) + " print");
    // The print dialog runs its modal loop inside the call.
    if (browser_) browser_->RunModal("print");
    return S_OK;
}

void PageWindow::SetScriptError(const std::wstring& url, bool present) {
    if (present) event_ = ComPtr<IHTMLEventObj>::Attach(new ScriptErrorEvent(url));
    else event_.reset();
}

// ---- ScriptErrorEvent ----

STDMETHODIMP ScriptErrorEvent::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != __uuidof(IHTMLEventObj)) return E_NOINTERFACE;
    *object = static_cast<IHTMLEventObj*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ScriptErrorEvent::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) ScriptErrorEvent::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ScriptErrorEvent::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

STDMETHODIMP ScriptErrorEvent::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ScriptErrorEvent::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return FindNames({L"errorCharacter", L"errorCode", L"errorMessage", L"errorUrl", L"errorLine"},
                     names, count, ids);
}

STDMETHODIMP ScriptErrorEvent::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                      EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    VariantInit(result);
    switch (id) {
        case 1: V_VT(result) = VT_I4; V_I4(result) = 7; break;
        case 2: V_VT(result) = VT_I4; V_I4(result) = 0; break;
        case 3: V_VT(result) = VT_BSTR; V_BSTR(result) = SysAllocString(L"Object expected"); break;
        case 4: V_VT(result) = VT_BSTR; V_BSTR(result) = SysAllocString(url_.c_str()); break;
        case 5: V_VT(result) = VT_I4; V_I4(result) = 12; break;
        default: return DISP_E_MEMBERNOTFOUND;
    }
    Log("host> event." + std::to_string(id) + " get (script error of " + Utf8(url_) + ")");
    return S_OK;
}

}  // namespace velvane::standin
