// TWebHost: creating the WebBrowser object, activating it in place in the host's window,
// placement, options, navigation and teardown.

#include "browserhost/web_host_win.h"

#include <algorithm>

#include "browserhost/guid_win.h"
#include "browserhost/web_browser_events_win.h"
#include "browserhost/web_host_frame_win.h"
#include "browserhost/web_host_rules.h"
#include "browserhost/web_host_site_win.h"
#include "win32/com_error_win.h"
#include "win32/exception_edge_win.h"
#include "win32/variant_win.h"

namespace velvane {
namespace {

constexpr char kWebHostClass[] = "TWebHost";

// The browser nests its windows (shell view, document); the innermost first child is the one
// that takes the keys.
HWND FindDeepestChild(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_CHILD))
        window = child;
    return window;
}

bool IsKeyboardMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

}  // namespace

TWebHost::TWebHost() {
    try {
        CreateBrowser();
        SetDownloadOptions(kDefaultDownloadOptions);
        SetUserInterfaceOptions({});
    } catch (...) {
        // No destructor runs for a half-built host: undo what exists, so the browser lets go
        // of a site that points back here.
        Teardown();
        throw;
    }
}

TWebHost::~TWebHost() {
    Teardown();
    DestroyHandle();
}

void TWebHost::CreateBrowser() {
    frame_ = WebHostFrame::Create(nullptr);
    frame_->OnModalUI = [this](bool shown) { ControlModalUI(ModalSource::Frame, shown); };
    site_ = WebHostSite::Create(*this, frame_.Share());
    events_ = WebBrowserEventSink::Create(*this);

    OleCheck(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IOleObject),
                              browserObject_.put_void()));
    browser_ = browserObject_.As<IWebBrowser2>();
    if (!browser_)
        ThrowOleError(E_NOINTERFACE);
    // The control wants its site before it is initialised (OLEMISC_SETCLIENTSITEFIRST): it
    // reads ambient properties and asks for the host interfaces from the start.
    OleCheck(browserObject_->SetClientSite(site_.get()));
    if (ComPtr<IPersistStreamInit> persist = browserObject_.As<IPersistStreamInit>()) {
        persist->InitNew();
    }
    eventConnection_ = AdviseScope(browserObject_.get(), __uuidof(DWebBrowserEvents2),
                                   static_cast<IDispatch*>(events_.get()));
}

void TWebHost::SetParentWindow(HWND parent) {
    if (Handle()) {
        SetParent(Handle(), parent);
    } else {
        RegisterWindowClass(kWebHostClass, 0, nullptr);
        RECT area = bounds_;
        CreateHandle(0, kWebHostClass, "",
                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, area.left, area.top,
                     std::max(0L, area.right - area.left), std::max(0L, area.bottom - area.top),
                     parent);
    }
    if (frame_)
        frame_->SetWindow(RootWindow(Handle()));
    if (!inPlaceObject_)
        ActivateInPlace();
}

void TWebHost::ActivateInPlace() {
    if (!browserObject_)
        ThrowOleError(E_UNEXPECTED);
    RECT area;
    GetClientRect(Handle(), &area);
    CallScope call(*this);
    OleCheck(
        browserObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, Handle(), &area));
    inPlaceObject_ = browserObject_.As<IOleInPlaceObject>();
    if (inPlaceObject_)
        inPlaceObject_->GetWindow(&controlWindow_);
}

void TWebHost::SetLeft(int left) {
    OffsetRect(&bounds_, left - bounds_.left, 0);
    ApplyBounds();
}

void TWebHost::SetTop(int top) {
    OffsetRect(&bounds_, 0, top - bounds_.top);
    ApplyBounds();
}

void TWebHost::SetWidth(int width) {
    bounds_.right = bounds_.left + width;
    ApplyBounds();
}

void TWebHost::SetHeight(int height) {
    bounds_.bottom = bounds_.top + height;
    ApplyBounds();
}

void TWebHost::SetBounds(int left, int top, int width, int height) {
    bounds_ = {left, top, left + width, top + height};
    ApplyBounds();
}

void TWebHost::ApplyBounds() {
    if (!Handle())
        return;
    // A negative extent (a width of -5 from the configuration) is an empty window, not an error.
    MoveWindow(Handle(), bounds_.left, bounds_.top, std::max(0L, bounds_.right - bounds_.left),
               std::max(0L, bounds_.bottom - bounds_.top), TRUE);
}

void TWebHost::ResizeBrowser() {
    // A control that asks for another rectangle from inside SetObjectRects gets no second answer.
    if (!inPlaceObject_ || resizing_)
        return;
    resizing_ = true;
    RECT area;
    GetClientRect(Handle(), &area);
    CallScope call(*this);
    inPlaceObject_->SetObjectRects(&area, &area);
    resizing_ = false;
}

void TWebHost::FocusBrowser() {
    if (!browserObject_)
        return;
    RECT area;
    GetClientRect(Handle(), &area);
    CallScope call(*this);
    browserObject_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site_.get(), 0, Handle(), &area);
    // A browser that is UI-active already does not move the focus again: the keys would stay
    // with this window, which does nothing with them. The document's own window takes them.
    HWND focus = GetFocus();
    if (focus && focus != Handle())
        return;
    HWND page = FindDeepestChild(Handle());
    if (page != Handle())
        SetFocus(page);
}

void TWebHost::FocusPage() {
    if (!Handle())
        return;
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus))
        return;  // already in the page: the caret and the tab position stay where they are
    SetFocus(Handle());  // WM_SETFOCUS activates the browser's UI
}

ComPtr<IOleInPlaceActiveObject> TWebHost::ActiveObject() const {
    if (!frame_)
        return {};
    return ComPtr<IOleInPlaceActiveObject>::Share(frame_->ActiveObject());
}

void TWebHost::EnableModeless(bool enable) noexcept {
    CallScope call(*this);
    if (ComPtr<IOleInPlaceActiveObject> active = ActiveObject())
        active->EnableModeless(enable ? TRUE : FALSE);
}

void TWebHost::FrameWindowActivated(bool active) noexcept {
    CallScope call(*this);
    if (ComPtr<IOleInPlaceActiveObject> object = ActiveObject())
        object->OnFrameWindowActivate(active ? TRUE : FALSE);
}

void TWebHost::ControlModalUI(ModalSource source, bool shown) noexcept {
    if (shown) {
        guard_.ModalUIStarted(source);
    } else if (guard_.ModalUIEnded(source)) {
        RaiseCallsReturned();
    }
}

void TWebHost::LeaveCall() noexcept {
    if (guard_.Leave())
        RaiseCallsReturned();
}

void TWebHost::RaiseCallsReturned() noexcept {
    try {
        if (TCallsReturnedEvent handler = OnCallsReturned)
            handler(*this);
    } catch (...) {
        HandleExceptionAtEdge();
    }
}

bool TWebHost::IsTopLevelBrowser(IDispatch* browser) const {
    if (!browser || !browser_)
        return true;
    ComPtr<IUnknown> named;
    ComPtr<IUnknown> own;
    browser->QueryInterface(__uuidof(IUnknown), named.put_void());
    browser_->QueryInterface(__uuidof(IUnknown), own.put_void());
    return named.get() == own.get();
}

LRESULT TWebHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            ResizeBrowser();
            return 0;
        case WM_SETFOCUS:
            FocusBrowser();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the browser paints all of it
        case WM_PARENTNOTIFY:
            ParentNotify(wParam, lParam);
            break;
        case WM_DESTROY:
            // The parent is going: the browser's windows (children of this one) still exist.
            Teardown();
            break;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

void TWebHost::SetDownloadOptions(DownloadOptionSet options) {
    downloadOptions_ = options;
    downloadControlFlags_ = velvane::DownloadControlFlags(options);
    NotifyAmbientDownloadControl();
}

void TWebHost::SetUserInterfaceOptions(UserInterfaceOptionSet options) {
    userInterfaceOptions_ = options;
    hostUIFlags_ = velvane::HostUIFlags(options);
    // The browser reads the UI flags only through GetHostInfo, when it loads a document; the
    // notification is the same as for the download options.
    NotifyAmbientDownloadControl();
}

void TWebHost::NotifyAmbientDownloadControl() {
    if (!browserObject_)
        return;
    if (ComPtr<IOleControl> control = browserObject_.As<IOleControl>()) {
        CallScope call(*this);
        control->OnAmbientPropertyChange(kAmbientDownloadControl);
    }
}

IWebBrowser2& TWebHost::Browser() const {
    if (!browser_)
        ThrowOleError(E_UNEXPECTED);
    return *browser_.get();
}

bool TWebHost::BrowserFlag(FlagGetter get) const {
    VARIANT_BOOL value = VARIANT_FALSE;
    OleCheck((Browser().*get)(&value));
    return value != VARIANT_FALSE;
}

void TWebHost::SetBrowserFlag(FlagSetter put, bool value) {
    CallScope call(*this);
    OleCheck((Browser().*put)(value ? VARIANT_TRUE : VARIANT_FALSE));
}

bool TWebHost::Offline() const {
    return BrowserFlag(&IWebBrowser2::get_Offline);
}
void TWebHost::SetOffline(bool value) {
    SetBrowserFlag(&IWebBrowser2::put_Offline, value);
}
bool TWebHost::AddressBar() const {
    return BrowserFlag(&IWebBrowser2::get_AddressBar);
}
void TWebHost::SetAddressBar(bool value) {
    SetBrowserFlag(&IWebBrowser2::put_AddressBar, value);
}
bool TWebHost::MenuBar() const {
    return BrowserFlag(&IWebBrowser2::get_MenuBar);
}
void TWebHost::SetMenuBar(bool value) {
    SetBrowserFlag(&IWebBrowser2::put_MenuBar, value);
}
bool TWebHost::StatusBar() const {
    return BrowserFlag(&IWebBrowser2::get_StatusBar);
}
void TWebHost::SetStatusBar(bool value) {
    SetBrowserFlag(&IWebBrowser2::put_StatusBar, value);
}

ComPtr<IDispatch> TWebHost::Document() const {
    ComPtr<IDispatch> document;
    if (!browser_ || FAILED(browser_->get_Document(document.put())))
        return {};
    return document;
}

void TWebHost::Navigate(const std::string& url) {
    Variant target = Variant::FromAnsi(url);
    NavigateTo(target.get());
}

void TWebHost::Navigate(const std::wstring& url) {
    Variant target;
    V_BSTR(target.get()) = Bstr(url).release();
    V_VT(target.get()) = VT_BSTR;
    NavigateTo(target.get());
}

void TWebHost::NavigateTo(VARIANT* target) {
    // The browser may call back into the program during the call; it keeps its own reference.
    ComPtr<IWebBrowser2> browser = ComPtr<IWebBrowser2>::Share(&Browser());
    CallScope call(*this);
    Variant flags = Variant::FromInt32(0);
    Variant frameName = Variant::FromInt32(0);
    Variant postData = Variant::FromInt32(0);
    Variant headers = Variant::FromInt32(0);
    OleCheck(browser->Navigate2(target, flags.get(), frameName.get(), postData.get(),
                                headers.get()));
}

void TWebHost::GoBack() {
    ComPtr<IWebBrowser2> browser = ComPtr<IWebBrowser2>::Share(&Browser());
    CallScope call(*this);
    OleCheck(browser->GoBack());
}

void TWebHost::GoForward() {
    ComPtr<IWebBrowser2> browser = ComPtr<IWebBrowser2>::Share(&Browser());
    CallScope call(*this);
    OleCheck(browser->GoForward());
}

void TWebHost::ExecDocumentCommand(bool useHtmlGroup, DWORD commandId, DWORD option, VARIANT* in,
                                   VARIANT* out) noexcept {
    // The find command runs its dialog's modal loop inside the call.
    CallScope call(*this);
    ComPtr<IDispatch> document = Document();
    if (!document)
        return;
    ComPtr<IOleCommandTarget> target = document.As<IOleCommandTarget>();
    if (!target)
        return;
    GUID group = ToSystemGuid(kHtmlCommandGroup);
    target->Exec(useHtmlGroup ? &group : nullptr, commandId, option, in, out);
}

void TWebHost::ShowFindDialog() noexcept {
    ExecDocumentCommand(true, kFindCommand, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
}

void TWebHost::CopySelection() noexcept {
    ExecDocumentCommand(false, kCopyCommand, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
}

bool TWebHost::TranslateAccelerator(MSG& message) {
    if (!IsKeyboardMessage(message.message) || !Handle() || !frame_)
        return false;
    if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))
        return false;
    ComPtr<IOleInPlaceActiveObject> active =
        ComPtr<IOleInPlaceActiveObject>::Share(frame_->ActiveObject());
    // The page's own accelerators (Ctrl+P, Ctrl+F) open its dialogs inside the call.
    CallScope call(*this);
    return active && active->TranslateAccelerator(&message) == S_OK;
}

// A browser window that goes while the host has not asked for it: the control closed itself.
// The teardown below forgets the window first, so the windows it destroys are not mistaken for
// that.
void TWebHost::ParentNotify(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != WM_DESTROY || !controlWindow_ ||
        reinterpret_cast<HWND>(lParam) != controlWindow_)
        return;
    controlWindow_ = nullptr;
    // Raised inside the control's own call that destroys its window: a call on the stack.
    CallScope call(*this);
    if (TBrowserWindowDestroyedEvent handler = OnBrowserWindowDestroyed)
        handler(*this);
}

void TWebHost::Teardown() noexcept {
    controlWindow_ = nullptr;
    // The order matters; each step relies on the ones before it.
    // 1. Cut the event connection: nothing the browser raises while it shuts down may reach the
    //    owner's handlers, whose window may be half destroyed already.
    eventConnection_.reset();
    // 2. Leave in-place (and UI) activity while this host's window, the parent of the browser's
    //    own windows, still exists: the browser destroys its windows itself instead of finding
    //    them destroyed under it.
    if (inPlaceObject_)
        inPlaceObject_->InPlaceDeactivate();
    // 3. Close the object (it unloads its document), then take its site away: the browser drops
    //    its references to the site and through it to the frame.
    if (browserObject_) {
        browserObject_->Close(OLECLOSE_NOSAVE);
        browserObject_->SetClientSite(nullptr);
    }
    // 4. The frame holds the browser's active object, a reference to the browser: let it go
    //    before ours, or the browser outlives them.
    if (frame_)
        frame_->Detach();
    // 5. Our own references to the browser are the last ones: the object ends here. The site
    //    is still attached, for whatever the browser asks on its way out.
    inPlaceObject_.reset();
    browser_.reset();
    browserObject_.reset();
    // 6. Our COM objects outlive this host only if the browser leaked a reference; detached,
    //    they answer without touching it.
    if (site_)
        site_->Detach();
    if (events_)
        events_->Detach();
    site_.reset();
    frame_.reset();
    events_.reset();
}

}  // namespace velvane
