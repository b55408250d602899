// The control's OLE side: its identity, the properties a container sets, the object, in-place
// and connection-point protocols, in the order of calls the platform's control makes.

#include <cstdlib>
#include <string>

#include "standin/protocol.h"
#include "standin/standin.h"

namespace velvane::standin {
namespace {

constexpr DISPID kDispIdDocument = 203;      // IWebBrowser2::Document
constexpr DISPID kDispIdLocationUrl = 211;   // IWebBrowser2::LocationURL
constexpr DISPID kAmbientDownloadControl = -5512;
constexpr DISPID kAmbientOfflineIfNotConnected = -5501;
constexpr DISPID kAmbientSilent = -5502;

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

}  // namespace

ComPtr<Browser> Browser::Create(Browser* top) {
    return ComPtr<Browser>::Attach(new Browser(top));
}

Browser::Browser(Browser* top) : top_(top ? top : this) {
    char value[16] = {};
    if (!top) {
        if (GetEnvironmentVariableA(kProfileVariable, value, sizeof value) && std::string(value) == "file") {
            profile_ = Profile::File;
        }
        holdNextLoad_ = GetEnvironmentVariableA(kHoldVariable, value, sizeof value) && value[0] == '1';
        std::string release =
            GetEnvironmentVariableA(kControlVariable, value, sizeof value) ? value : "";
        olderNewWindowEvent_ = release == "ie5" || release == "ie6";
        noWindowClosing_ = release == "ie5";
        bothNewWindowEvents_ = release == "both";
        if (!release.empty()) Log("behaves as the control of " + release);
        if (GetEnvironmentVariableA(kModalVariable, value, sizeof value))
            modalMs_ = static_cast<DWORD>(std::strtoul(value, nullptr, 10));
        Log("created the control");
    }
}

Browser::~Browser() {
    // A container that never deactivated the control leaves its windows: they must not call
    // into a control that is gone.
    DestroyWindows();
    if (document_) document_->Detach();
    if (top_ == this) Log("the control ends");
}

STDMETHODIMP Browser::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IWebBrowser ||
        iid == IID_IWebBrowserApp || iid == IID_IWebBrowser2) {
        *object = static_cast<IWebBrowser2*>(this);
    } else if (iid == IID_IOleObject) {
        *object = static_cast<IOleObject*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
        *object = static_cast<IOleInPlaceObject*>(this);
    } else if (iid == IID_IOleInPlaceActiveObject) {
        *object = static_cast<IOleInPlaceActiveObject*>(this);
    } else if (iid == IID_IConnectionPointContainer) {
        *object = static_cast<IConnectionPointContainer*>(this);
    } else if (iid == IID_IOleCommandTarget) {
        *object = static_cast<IOleCommandTarget*>(this);
    } else if (iid == IID_IOleControl) {
        *object = static_cast<IOleControl*>(this);
    } else if (iid == IID_IPersist || iid == IID_IPersistStreamInit) {
        *object = static_cast<IPersistStreamInit*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) Browser::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) Browser::Release() {
    LONG left = InterlockedDecrement(&refs_);
    // The control holds itself while it raises an event; the container's last reference going
    // inside the event is the release that would free a real control under its own feet.
    if (top_ == this && left == selfHolds_ && (EventDepth() > 0 || ModalDepth() > 0)) NoteTeardown("final release");
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// ---- IDispatch: the properties a container reads late bound ----

STDMETHODIMP Browser::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

STDMETHODIMP Browser::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        if (_wcsicmp(names[i], L"Document") == 0) ids[i] = kDispIdDocument;
        else if (_wcsicmp(names[i], L"LocationURL") == 0) ids[i] = kDispIdLocationUrl;
        else ids[i] = DISPID_UNKNOWN, result = DISP_E_UNKNOWNNAME;
        Log("host> IDispatch::GetIDsOfNames(" + Utf8(names[i]) + ")");
    }
    return result;
}

STDMETHODIMP Browser::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                             EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    VariantInit(result);
    if (id == kDispIdDocument) {
        Log(std::string("host> IDispatch Document get -> ") + (document_ ? "document" : "empty"));
        if (!document_) return S_OK;
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = ComPtr<IDispatch>::Share(static_cast<IHTMLDocument2*>(document_.get())).release();
        return S_OK;
    }
    if (id == kDispIdLocationUrl) {
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocString(location_.c_str());
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

// ---- IWebBrowser2 ----

STDMETHODIMP Browser::GoBack() {
    bool can = historyIndex_ > 0 && !history_.empty();
    Log(std::string("host> GoBack -> ") + (can ? "S_OK" : "E_FAIL (no history)"));
    if (!can) return E_FAIL;
    StartNavigation(history_[historyIndex_ - 1], -1);
    return S_OK;
}

STDMETHODIMP Browser::GoForward() {
    bool can = historyIndex_ + 1 < history_.size();
    Log(std::string("host> GoForward -> ") + (can ? "S_OK" : "E_FAIL (no history)"));
    if (!can) return E_FAIL;
    StartNavigation(history_[historyIndex_ + 1], 1);
    return S_OK;
}

STDMETHODIMP Browser::Refresh() {
    Log("host> Refresh");
    return S_OK;
}

STDMETHODIMP Browser::Stop() {
    Log("host> Stop");
    return S_OK;
}

STDMETHODIMP Browser::get_Application(IDispatch** application) {
    Log("host> get_Application");
    if (!application) return E_POINTER;
    *application = ComPtr<IDispatch>::Share(AsDispatch()).release();
    return S_OK;
}

STDMETHODIMP Browser::get_Document(IDispatch** document) {
    Log(std::string("host> get_Document -> ") + (document_ ? "document" : "none"));
    if (!document) return E_POINTER;
    *document = document_ ? ComPtr<IDispatch>::Share(static_cast<IHTMLDocument2*>(document_.get())).release()
                          : nullptr;
    return S_OK;
}

STDMETHODIMP Browser::get_LocationURL(BSTR* url) {
    if (!url) return E_POINTER;
    *url = SysAllocString(location_.c_str());
    return S_OK;
}

STDMETHODIMP Browser::get_Busy(VARIANT_BOOL* busy) {
    if (!busy) return E_POINTER;
    *busy = loading_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP Browser::get_ReadyState(READYSTATE* state) {
    if (!state) return E_POINTER;
    *state = loading_ ? READYSTATE_LOADING : document_ ? READYSTATE_COMPLETE : READYSTATE_UNINITIALIZED;
    return S_OK;
}

STDMETHODIMP Browser::Navigate2(VARIANT* url, VARIANT* flags, VARIANT* frame, VARIANT* postData,
                                VARIANT* headers) {
    std::string args = url ? standin::VariantText(*url) : "null";
    for (VARIANT* v : {flags, frame, postData, headers}) args += ", " + (v ? standin::VariantText(*v) : "null");
    const VARIANT* target = url;
    while (target && V_VT(target) == (VT_BYREF | VT_VARIANT)) target = V_VARIANTREF(target);
    if (!target || V_VT(target) != VT_BSTR) {
        Log("host> Navigate2(" + args + ") -> E_INVALIDARG");
        return E_INVALIDARG;
    }
    Log("host> Navigate2(" + args + ") -> S_OK");
    StartNavigation(V_BSTR(target) ? V_BSTR(target) : L"");
    return S_OK;
}

HRESULT Browser::GetFlag(const char* name, VARIANT_BOOL value, VARIANT_BOOL* out) {
    Log(std::string("host> get_") + name);
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
}

HRESULT Browser::SetFlag(const char* name, VARIANT_BOOL& field, VARIANT_BOOL value) {
    Log(std::string("host> put_") + name + "(" + (value ? "true" : "false") + ")");
    field = value;
    return S_OK;
}

STDMETHODIMP Browser::get_Offline(VARIANT_BOOL* v) { return GetFlag("Offline", offline_, v); }
STDMETHODIMP Browser::put_Offline(VARIANT_BOOL v) { return SetFlag("Offline", offline_, v); }
STDMETHODIMP Browser::get_Silent(VARIANT_BOOL* v) { return GetFlag("Silent", silent_, v); }
STDMETHODIMP Browser::put_Silent(VARIANT_BOOL v) { return SetFlag("Silent", silent_, v); }
STDMETHODIMP Browser::get_AddressBar(VARIANT_BOOL* v) { return GetFlag("AddressBar", addressBar_, v); }
STDMETHODIMP Browser::put_AddressBar(VARIANT_BOOL v) { return SetFlag("AddressBar", addressBar_, v); }
STDMETHODIMP Browser::get_MenuBar(VARIANT_BOOL* v) { return GetFlag("MenuBar", menuBar_, v); }
STDMETHODIMP Browser::put_MenuBar(VARIANT_BOOL v) { return SetFlag("MenuBar", menuBar_, v); }
STDMETHODIMP Browser::get_StatusBar(VARIANT_BOOL* v) { return GetFlag("StatusBar", statusBar_, v); }
STDMETHODIMP Browser::put_StatusBar(VARIANT_BOOL v) { return SetFlag("StatusBar", statusBar_, v); }

STDMETHODIMP Browser::put_RegisterAsDropTarget(VARIANT_BOOL value) {
    Log(std::string("host> put_RegisterAsDropTarget(") + (value ? "true" : "false") + ")");
    return S_OK;
}

STDMETHODIMP Browser::put_RegisterAsBrowser(VARIANT_BOOL value) {
    Log(std::string("host> put_RegisterAsBrowser(") + (value ? "true" : "false") + ")");
    return S_OK;
}

// ---- IOleObject ----

STDMETHODIMP Browser::SetClientSite(IOleClientSite* site) {
    Log(std::string("host> SetClientSite(") + (site ? "site" : "NULL") + ")");
    if (!site) {
        NoteTeardown("SetClientSite(NULL)");
        if (inPlace_) InPlaceDeactivate();
        site_.reset();
        return S_OK;
    }
    site_ = ComPtr<IOleClientSite>::Share(site);
    // As the platform's control does once it has a site: the host interfaces it will use, and
    // the ambient properties that decide how it loads pages.
    Log(std::string("<host QueryInterface(IDocHostUIHandler) -> ") + (UIHandler() ? "yes" : "no"));
    Log(std::string("<host QueryInterface(IOleCommandTarget) -> ") + (HostCommandTarget() ? "yes" : "no"));
    ReadAmbient(kAmbientOfflineIfNotConnected, "OfflineIfNotConnected");
    ReadAmbient(kAmbientSilent, "Silent");
    ReadAmbient(kAmbientDownloadControl, "DLCONTROL");
    return S_OK;
}

STDMETHODIMP Browser::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = ComPtr<IOleClientSite>::Share(site_.get()).release();
    return S_OK;
}

STDMETHODIMP Browser::SetHostNames(LPCOLESTR, LPCOLESTR) {
    Log("host> SetHostNames");
    return S_OK;
}

STDMETHODIMP Browser::Close(DWORD saveOption) {
    Log("host> Close(" + std::to_string(saveOption) + ")");
    NoteTeardown("Close");
    if (inPlace_) InPlaceDeactivate();
    return S_OK;
}

STDMETHODIMP Browser::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP Browser::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP Browser::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) {
    Log("host> DoVerb(" + std::to_string(verb) + (position ? ", " + RectText(*position) : std::string()) + ")");
    if (site && !site_) SetClientSite(site);
    switch (verb) {
        case OLEIVERB_INPLACEACTIVATE:
            ActivateInPlace(parent, position);
            return inPlace_ ? S_OK : E_FAIL;
        case OLEIVERB_SHOW:
        case OLEIVERB_PRIMARY:
        case OLEIVERB_UIACTIVATE:
            ActivateInPlace(parent, position);
            if (!inPlace_) return E_FAIL;
            ActivateUI();
            return S_OK;
        case OLEIVERB_HIDE:
            if (embedding_) ShowWindow(embedding_, SW_HIDE);
            return S_OK;
        default:
            return OLEOBJ_S_INVALIDVERB;
    }
}

STDMETHODIMP Browser::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs) *verbs = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::Update() { return S_OK; }
STDMETHODIMP Browser::IsUpToDate() { return S_OK; }

STDMETHODIMP Browser::GetUserClassID(CLSID* id) {
    if (!id) return E_POINTER;
    *id = CLSID_WebBrowser;
    return S_OK;
}

STDMETHODIMP Browser::GetUserType(DWORD, LPOLESTR* type) {
    if (type) *type = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::SetExtent(DWORD, SIZEL*) { return S_OK; }

STDMETHODIMP Browser::GetExtent(DWORD, SIZEL* size) {
    if (!size) return E_POINTER;
    size->cx = size->cy = 0;
    return S_OK;
}

STDMETHODIMP Browser::Advise(IAdviseSink*, DWORD* connection) {
    if (connection) *connection = 0;
    return OLE_E_ADVISENOTSUPPORTED;
}

// Both IOleObject::Unadvise and IConnectionPoint::Unadvise arrive here; only event connections
// exist.
STDMETHODIMP Browser::Unadvise(DWORD connection) {
    Log("host> Unadvise(" + std::to_string(connection) + ")");
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->cookie == connection) {
            NoteTeardown("Unadvise");
            sinks_.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP Browser::EnumAdvise(IEnumSTATDATA** advise) {
    if (advise) *advise = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_RECOMPOSEONRESIZE |
              OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT;
    return S_OK;
}

STDMETHODIMP Browser::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// ---- In-place activation ----

void Browser::ActivateInPlace(HWND parent, const RECT* position) {
    if (inPlace_) return;
    inPlaceSite_ = site_ ? site_.As<IOleInPlaceSite>() : ComPtr<IOleInPlaceSite>();
    if (!inPlaceSite_) {
        Log("no in-place site");
        return;
    }
    HRESULT hr = inPlaceSite_->CanInPlaceActivate();
    Log("<host CanInPlaceActivate -> " + HrText(hr));
    if (hr != S_OK) return;
    hr = inPlaceSite_->OnInPlaceActivate();
    Log("<host OnInPlaceActivate -> " + HrText(hr));
    HWND siteWindow = nullptr;
    hr = inPlaceSite_->GetWindow(&siteWindow);
    Log("<host IOleInPlaceSite::GetWindow -> " + HrText(hr));
    RECT place{}, clip{};
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof info;
    hr = inPlaceSite_->GetWindowContext(frame_.put(), uiWindow_.put(), &place, &clip, &info);
    Log("<host GetWindowContext -> " + HrText(hr) + " place " + RectText(place) + " frame " +
        (frame_ ? "yes" : "no") + " uiwindow " + (uiWindow_ ? "yes" : "no"));
    if (frame_) {
        HWND frameWindow = nullptr;
        hr = frame_->GetWindow(&frameWindow);
        Log("<host IOleInPlaceFrame::GetWindow -> " + HrText(hr));
    }
    CreateWindows(parent ? parent : siteWindow, position ? *position : place);
    inPlace_ = embedding_ != nullptr;
    if (site_) {
        hr = site_->ShowObject();
        Log("<host ShowObject -> " + HrText(hr));
    }
}

void Browser::ActivateUI() {
    if (uiActive_ || !inPlaceSite_) {
        if (server_) SetFocus(server_);
        return;
    }
    HRESULT hr = inPlaceSite_->OnUIActivate();
    Log("<host OnUIActivate -> " + HrText(hr));
    uiActive_ = true;
    auto* active = static_cast<IOleInPlaceActiveObject*>(this);
    if (frame_) Log("<host Frame::SetActiveObject -> " + HrText(frame_->SetActiveObject(active, L"Item")));
    if (uiWindow_) Log("<host UIWindow::SetActiveObject -> " + HrText(uiWindow_->SetActiveObject(active, L"Item")));
    if (ComPtr<IDocHostUIHandler> handler = UIHandler()) {
        hr = handler->ShowUI(DOCHOSTUITYPE_BROWSE, active, static_cast<IOleCommandTarget*>(this), frame_.get(),
                             uiWindow_.get());
        Log("<host ShowUI -> " + HrText(hr));
    }
    if (server_) SetFocus(server_);
}

STDMETHODIMP Browser::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = embedding_;
    return embedding_ ? S_OK : E_FAIL;
}

STDMETHODIMP Browser::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP Browser::InPlaceDeactivate() {
    Log("host> InPlaceDeactivate");
    NoteTeardown("InPlaceDeactivate");
    if (!inPlace_) return S_OK;
    UIDeactivate();
    inPlace_ = false;
    DestroyWindows();
    if (inPlaceSite_) Log("<host OnInPlaceDeactivate -> " + HrText(inPlaceSite_->OnInPlaceDeactivate()));
    frame_.reset();
    uiWindow_.reset();
    inPlaceSite_.reset();
    return S_OK;
}

STDMETHODIMP Browser::UIDeactivate() {
    Log("host> UIDeactivate");
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (ComPtr<IDocHostUIHandler> handler = UIHandler()) Log("<host HideUI -> " + HrText(handler->HideUI()));
    if (frame_) frame_->SetActiveObject(nullptr, nullptr);
    if (uiWindow_) uiWindow_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_) Log("<host OnUIDeactivate -> " + HrText(inPlaceSite_->OnUIDeactivate(FALSE)));
    return S_OK;
}

STDMETHODIMP Browser::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) return E_POINTER;
    Log("host> SetObjectRects(" + RectText(*position) + ")");
    if (embedding_) {
        MoveWindow(embedding_, position->left, position->top, position->right - position->left,
                   position->bottom - position->top, TRUE);
    }
    return S_OK;
}

STDMETHODIMP Browser::ReactivateAndUndo() { return E_NOTIMPL; }

STDMETHODIMP Browser::TranslateAccelerator(LPMSG message) {
    if (!message) return E_POINTER;
    if (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN) return S_FALSE;
    Log("host> TranslateAccelerator(key " + std::to_string(message->wParam) + ")");
    // The page's accelerators: the container has the first word on each (IDocHostUIHandler).
    if (message->wParam != VK_TAB) return S_FALSE;
    if (OfferKeyToHost(*message)) return S_OK;
    std::size_t links = page_.links.size();
    focusedLink_ = links ? static_cast<int>((static_cast<std::size_t>(focusedLink_ + 1)) % links) : -1;
    Log(std::string(kPageKey) + " Tab (focus on link " + std::to_string(focusedLink_) + ")");
    return S_OK;
}

STDMETHODIMP Browser::OnFrameWindowActivate(BOOL activate) {
    Log(std::string("host> OnFrameWindowActivate(") + (activate ? "TRUE" : "FALSE") + ")");
    if (ComPtr<IDocHostUIHandler> handler = UIHandler()) {
        Log("<host IDocHostUIHandler::OnFrameWindowActivate -> " + HrText(handler->OnFrameWindowActivate(activate)));
    }
    return S_OK;
}

STDMETHODIMP Browser::OnDocWindowActivate(BOOL activate) {
    Log(std::string("host> OnDocWindowActivate(") + (activate ? "TRUE" : "FALSE") + ")");
    return S_OK;
}

STDMETHODIMP Browser::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }

STDMETHODIMP Browser::EnableModeless(BOOL enable) {
    Log(std::string("host> EnableModeless(") + (enable ? "TRUE" : "FALSE") + ")");
    return S_OK;
}

// ---- Connection points: DWebBrowserEvents2 ----

STDMETHODIMP Browser::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    bool events2 = iid == DIID_DWebBrowserEvents2;
    Log(std::string("host> FindConnectionPoint(") + (events2 ? "DWebBrowserEvents2" : "other") + ")");
    if (!events2) return CONNECT_E_NOCONNECTION;
    *point = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP Browser::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = DIID_DWebBrowserEvents2;
    return S_OK;
}

STDMETHODIMP Browser::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = static_cast<IConnectionPointContainer*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP Browser::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    ComPtr<IDispatch> events;
    HRESULT hr = sink->QueryInterface(DIID_DWebBrowserEvents2, events.put_void());
    Log("host> Advise -> " + HrText(hr));
    if (FAILED(hr)) return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie_++;
    sinks_.push_back({*cookie, std::move(events)});
    return S_OK;
}

STDMETHODIMP Browser::EnumConnections(IEnumConnections** connections) {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
}

// ---- IOleCommandTarget, IOleControl, IPersistStreamInit ----

STDMETHODIMP Browser::QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) {
    Log("host> IOleCommandTarget::QueryStatus");
    return OLECMDERR_E_UNKNOWNGROUP;
}

STDMETHODIMP Browser::Exec(const GUID* group, DWORD id, DWORD, VARIANT*, VARIANT*) {
    Log("host> IOleCommandTarget::Exec(" + std::string(group ? "group" : "no group") + ", " + std::to_string(id) +
        ") -> OLECMDERR_E_NOTSUPPORTED");
    return OLECMDERR_E_NOTSUPPORTED;
}

STDMETHODIMP Browser::GetControlInfo(CONTROLINFO*) { return E_NOTIMPL; }
STDMETHODIMP Browser::OnMnemonic(MSG*) { return E_NOTIMPL; }

STDMETHODIMP Browser::OnAmbientPropertyChange(DISPID id) {
    Log("host> OnAmbientPropertyChange(" + std::to_string(id) + ")");
    if (id == kAmbientDownloadControl || id == DISPID_UNKNOWN) ReadAmbient(kAmbientDownloadControl, "DLCONTROL");
    return S_OK;
}

STDMETHODIMP Browser::FreezeEvents(BOOL) { return S_OK; }

STDMETHODIMP Browser::GetClassID(CLSID* id) {
    if (!id) return E_POINTER;
    *id = CLSID_WebBrowser;
    return S_OK;
}

STDMETHODIMP Browser::IsDirty() { return S_FALSE; }
STDMETHODIMP Browser::Load(IStream*) { return E_NOTIMPL; }
STDMETHODIMP Browser::Save(IStream*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP Browser::GetSizeMax(ULARGE_INTEGER* size) {
    if (size) size->QuadPart = 0;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::InitNew() {
    Log("host> InitNew");
    return S_OK;
}

ComPtr<IDocHostUIHandler> Browser::UIHandler() const {
    return site_ ? site_.As<IDocHostUIHandler>() : ComPtr<IDocHostUIHandler>();
}

ComPtr<IOleCommandTarget> Browser::HostCommandTarget() const {
    return site_ ? site_.As<IOleCommandTarget>() : ComPtr<IOleCommandTarget>();
}

}  // namespace velvane::standin
