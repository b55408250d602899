// Loading pages and raising DWebBrowserEvents2, with the argument layouts the platform's control
// uses: BeforeNavigate2's arguments are VT_BYREF|VT_VARIANT references (post data one level
// deeper), every Cancel is VT_BYREF|VT_BOOL, and a frame's navigations name the frame's own
// browser object, not the top one.

#include <string>

#include "standin/protocol.h"
#include "standin/standin.h"

namespace velvane::standin {
namespace {

constexpr DISPID kBeforeNavigate2 = 250;
constexpr DISPID kNavigateComplete2 = 252;
constexpr DISPID kDocumentComplete = 259;
constexpr DISPID kDownloadBegin = 106;
constexpr DISPID kDownloadComplete = 104;
constexpr DISPID kCommandStateChange = 105;
constexpr DISPID kNewWindow2 = 251;
constexpr DISPID kNewWindow3 = 273;
constexpr DISPID kWindowClosing = 263;
constexpr DISPID kAmbientDownloadControl = -5512;
constexpr LONG kCommandNavigateForward = 1;
constexpr LONG kCommandNavigateBack = 2;
// A user's click that asks for a new window: NWMF_USERINITED | NWMF_FIRST | NWMF_USERREQUESTED.
constexpr LONG kUserNewWindowFlags = 0x2 | 0x4 | 0x80;

const GUID kDocHostCommandHandler = {0xF38BC242, 0xB950, 0x11D1, {0x89, 0x18, 0x00, 0xC0, 0x4F, 0xC2, 0xC8, 0x36}};

VARIANTARG Dispatch(IDispatch* object) {
    VARIANTARG v;
    VariantInit(&v);
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;  // borrowed for the call
    return v;
}

VARIANTARG Ref(VARIANT* target) {
    VARIANTARG v;
    VariantInit(&v);
    V_VT(&v) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&v) = target;
    return v;
}

VARIANTARG BoolRef(VARIANT_BOOL* target) {
    VARIANTARG v;
    VariantInit(&v);
    V_VT(&v) = VT_BYREF | VT_BOOL;
    V_BOOLREF(&v) = target;
    return v;
}

VARIANTARG Bool(bool value) {
    VARIANTARG v;
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANTARG Int(LONG value) {
    VARIANTARG v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

// A BSTR variant that frees itself.
struct OwnedBstr {
    explicit OwnedBstr(const std::wstring& text, bool null = false) {
        VariantInit(&v);
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = null ? nullptr : SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    ~OwnedBstr() { VariantClear(&v); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;
    VARIANT v;
};

}  // namespace

HRESULT Browser::Fire(const char* name, DISPID id, std::vector<VARIANTARG> args) {
    Browser& top = *top_;
    std::string text;
    for (const VARIANTARG& a : args) text += (text.empty() ? "" : ", ") + standin::VariantText(a);
    // Invoke takes the arguments last to first.
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    std::vector<ComPtr<IDispatch>> sinks;
    for (const Sink& s : top.sinks_) sinks.push_back(ComPtr<IDispatch>::Share(s.sink.get()));
    // The control keeps itself alive while it raises an event, as the platform's does.
    top.AddRef();
    ++top.selfHolds_;
    HRESULT hr = S_OK;
    {
        EventScope scope;
        Log(std::string("<host event ") + name + "(" + text + ")");
        for (const ComPtr<IDispatch>& sink : sinks) {
            hr = sink->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                              nullptr);
        }
    }
    --top.selfHolds_;
    std::string after;
    for (const VARIANTARG& a : args) after += (after.empty() ? "" : ", ") + standin::VariantText(a);
    Log(std::string("<host event ") + name + " returned " + HrText(hr) + " (" + after + ")");
    top.Release();
    return hr;
}

bool Browser::AskBeforeNavigate(Browser& target, const std::wstring& url, const std::wstring& frameName) {
    OwnedBstr address(url);
    VARIANT flags = Int(0);
    OwnedBstr frame(frameName, frameName.empty());
    VARIANT empty;
    VariantInit(&empty);
    VARIANT postData = Ref(&empty);
    OwnedBstr headers(L"", true);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire("BeforeNavigate2", kBeforeNavigate2,
         {Dispatch(target.AsDispatch()), Ref(&address.v), Ref(&flags), Ref(&frame.v), Ref(&postData),
          Ref(&headers.v), BoolRef(&cancel)});
    Log(std::string("navigation to ") + Utf8(url) + (target.top_ == &target ? "" : " (frame)") +
        (cancel ? " cancelled" : " goes on"));
    return cancel == VARIANT_FALSE;
}

void Browser::StartNavigation(const std::wstring& url, int historyStep) {
    if (!AskBeforeNavigate(*this, url, L"")) return;
    if (StartsWithNoCase(url, L"javascript:")) {
        // The script runs in the current page.
        if (url.find(L"close()") != std::wstring::npos) ScriptWindowClose();
        return;
    }
    Fire("DownloadBegin", kDownloadBegin, {});
    loading_ = true;
    loadingUrl_ = url;
    loadingStep_ = historyStep;
    document_.reset();
    if (holdNextLoad_) {
        holdNextLoad_ = false;
        Log("load held until \"complete\"");
        return;
    }
    // The rest arrives from the message loop, after Navigate2 has returned.
    if (!embedding_ || !PostMessageW(embedding_, kFinishLoadMessage, 0, 0)) FinishLoad();
}

void Browser::FinishLoad() {
    if (!loading_) return;
    loading_ = false;
    std::wstring url = loadingUrl_;
    if (loadingStep_ == 0) {
        if (!history_.empty()) history_.resize(historyIndex_ + 1);
        history_.push_back(url);
        historyIndex_ = history_.size() - 1;
    } else {
        historyIndex_ = loadingStep_ < 0 ? historyIndex_ - 1 : historyIndex_ + 1;
    }
    location_ = url;
    pagePath_ = PathFromAddress(url);
    page_ = pagePath_.empty() ? PageModel{} : ReadPageModel(pagePath_);
    focusedLink_ = -1;
    document_ = ComPtr<Document>::Attach(new Document(*this, url));
    Fire("CommandStateChange", kCommandStateChange, {Int(kCommandNavigateBack), Bool(historyIndex_ > 0)});
    Fire("CommandStateChange", kCommandStateChange,
         {Int(kCommandNavigateForward), Bool(historyIndex_ + 1 < history_.size())});
    {
        OwnedBstr address(url);
        Fire("NavigateComplete2", kNavigateComplete2, {Dispatch(AsDispatch()), Ref(&address.v)});
    }
    AskHostForDocument();
    frames_.clear();
    for (const Frame& frame : page_.frames) {
        ComPtr<Browser> child = Browser::Create(this);
        frames_.push_back(ComPtr<Browser>::Share(child.get()));
        LoadFrame(*child.get(), ResolveLink(pagePath_, frame.src, profile_), frame.name);
    }
    Fire("DownloadComplete", kDownloadComplete, {});
    OwnedBstr address(url);
    Fire("DocumentComplete", kDocumentComplete, {Dispatch(AsDispatch()), Ref(&address.v)});
    Log("READY " + Utf8(url) + " links " + std::to_string(page_.links.size()) + " frames " +
        std::to_string(page_.frames.size()));
}

// A frame's own navigation: its events name the frame's browser object. The frame's page is read
// like any other, so that its links can be clicked.
bool Browser::LoadFrame(Browser& frame, const std::wstring& url, const std::wstring& name) {
    if (!AskBeforeNavigate(frame, url, name)) return false;
    if (StartsWithNoCase(url, L"javascript:")) {
        if (url.find(L"close()") != std::wstring::npos) ScriptWindowClose();
        return true;
    }
    frame.location_ = url;
    frame.pagePath_ = PathFromAddress(url);
    frame.page_ = frame.pagePath_.empty() ? PageModel{} : ReadPageModel(frame.pagePath_);
    frame.document_ = ComPtr<Document>::Attach(new Document(frame, url));
    OwnedBstr address(url);
    Fire("NavigateComplete2", kNavigateComplete2, {Dispatch(frame.AsDispatch()), Ref(&address.v)});
    OwnedBstr done(url);
    Fire("DocumentComplete", kDocumentComplete, {Dispatch(frame.AsDispatch()), Ref(&done.v)});
    Log("FRAME-LOADED " + Utf8(url));
    return true;
}

// What the document asks its host when it is created: the UI flags, and what it may download.
void Browser::AskHostForDocument() {
    if (ComPtr<IDocHostUIHandler> handler = UIHandler()) {
        DOCHOSTUIINFO info{};
        info.cbSize = sizeof info;
        HRESULT hr = handler->GetHostInfo(&info);
        Log("<host GetHostInfo -> " + HrText(hr) + " HOST-INFO cbSize=" + std::to_string(info.cbSize) +
            " expected=" + std::to_string(sizeof info) + " flags=" + HrText(static_cast<HRESULT>(info.dwFlags)) +
            " doubleclick=" + std::to_string(info.dwDoubleClick));
    }
    ReadAmbient(kAmbientDownloadControl, "DLCONTROL");
}

void Browser::ReadAmbient(DISPID id, const char* name) {
    ComPtr<IDispatch> ambient = site_ ? site_.As<IDispatch>() : ComPtr<IDispatch>();
    if (!ambient) return;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                                 nullptr);
    Log(std::string("<host ambient ") + name + " -> " + HrText(hr) + " AMBIENT " + name + "=" +
        standin::VariantText(result));
    VariantClear(&result);
}

// A request for a new window (a _blank target, Shift+click, Ctrl+N). The control of IE 6 on
// XP SP2 and later raises NewWindow3, with the address, instead of NewWindow2; older ones raise
// NewWindow2, which carries none (the "newwindow2" command and the release setting pick that).
// Unless the container cancels or hands back a browser, the page opens in a window of its own
// outside the container; a browser handed back is navigated to the address at once.
void Browser::OpenNewWindow(const std::wstring& url, const char* why) {
    Log(std::string("new window for ") + why + ": " + Utf8(url));
    IDispatch* returned = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANTARG disp;
    VariantInit(&disp);
    V_VT(&disp) = VT_BYREF | VT_DISPATCH;
    V_DISPATCHREF(&disp) = &returned;
    if (olderNewWindowEvent_ || bothNewWindowEvents_) Fire("NewWindow2", kNewWindow2, {disp, BoolRef(&cancel)});
    if (!olderNewWindowEvent_) {
        OwnedBstr context(location_);
        OwnedBstr address(url);
        Fire("NewWindow3", kNewWindow3, {disp, BoolRef(&cancel), Int(kUserNewWindowFlags), context.v, address.v});
    }
    if (cancel) {
        Log("new window cancelled");
    } else if (returned) {
        ComPtr<IWebBrowser2> browser;
        returned->QueryInterface(IID_IWebBrowser2, browser.put_void());
        Log(std::string("new window goes into the browser the container gave") + (browser ? "" : " (not a browser)"));
        if (browser) {
            VARIANT target;
            VariantInit(&target);
            V_VT(&target) = VT_BSTR;
            V_BSTR(&target) = SysAllocString(url.c_str());
            browser->Navigate2(&target, nullptr, nullptr, nullptr, nullptr);
            VariantClear(&target);
        }
    } else {
        Log(std::string(kOutsideWindow) + " " + Utf8(url));
    }
    if (returned) returned->Release();
}

void Browser::ScriptWindowClose() {
    if (noWindowClosing_) {
        // No event to ask: the control closes by destroying its own window; its container sees
        // only the window go (WM_PARENTNOTIFY).
        Log(std::string(kOwnWindowGone) + " the page's script closed the window");
        DestroyWindows();
        return;
    }
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire("WindowClosing", kWindowClosing, {Bool(false), BoolRef(&cancel)});
    if (!cancel) Log(std::string(kOwnQuestion) + " the page's script asks to close the window");
}

// The failing document comes in pvaIn; its window's event object describes the error while the
// host is asked.
void Browser::ScriptError(int frame) {
    Browser* owner = frame < 0 ? this : static_cast<std::size_t>(frame) < frames_.size() ? frames_[static_cast<std::size_t>(frame)].get() : nullptr;
    Document* document = owner ? owner->document_.get() : nullptr;
    ComPtr<IOleCommandTarget> host = HostCommandTarget();
    if (!document || !host) {
        Log("no document or no host command target for a script error");
        return;
    }
    document->Window().SetScriptError(document->Url(), true);
    VARIANT in, out;
    VariantInit(&in);
    VariantInit(&out);
    V_VT(&in) = VT_UNKNOWN;
    V_UNKNOWN(&in) = static_cast<IHTMLDocument2*>(document);
    HRESULT hr;
    {
        EventScope scope;
        hr = host->Exec(&kDocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, &in, &out);
    }
    Log("<host Exec(SHOWSCRIPTERROR, " + Utf8(document->Url()) + ") -> " + HrText(hr) + " out " +
        standin::VariantText(out) + (hr == S_OK ? "" : " OWN-SCRIPT-ERROR-DIALOG"));
    VariantClear(&out);
    document->Window().SetScriptError(L"", false);
}

}  // namespace velvane::standin
