#include "browserhost/web_browser_events_win.h"

#include <exdisp.h>

#include <array>

#include "browserhost/web_host_win.h"
#include "win32/variant_win.h"

namespace velvane {
namespace {

// DWebBrowserEvents2 DISPIDs (exdispid.h; spelled out because dhtmldid.h reuses one name).
constexpr DISPID kBeforeNavigate2 = 250;
constexpr DISPID kDocumentComplete = 259;
constexpr DISPID kNavigateComplete2 = 252;
constexpr DISPID kCommandStateChange = 105;
constexpr DISPID kNewWindow2 = 251;
constexpr DISPID kWindowClosing = 263;
constexpr DISPID kNewWindow3 = 273;

// Invoke passes the arguments last to first: argument `index` of the event's signature.
const VARIANT* Argument(const DISPPARAMS& params, UINT index) {
    if (index >= params.cArgs || !params.rgvarg)
        return nullptr;
    return &params.rgvarg[params.cArgs - 1 - index];
}

const VARIANT& ArgumentOrEmpty(const DISPPARAMS& params, UINT index) {
    static const VARIANT kEmpty = {};
    const VARIANT* argument = Argument(params, index);
    if (!argument)
        return kEmpty;
    if (V_VT(argument) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(argument)) {
        return *V_VARIANTREF(argument);
    }
    return *argument;
}

IDispatch* DispatchArgument(const DISPPARAMS& params, UINT index) {
    const VARIANT* argument = Argument(params, index);
    return argument && V_VT(argument) == VT_DISPATCH ? V_DISPATCH(argument) : nullptr;
}

// The in/out Boolean of argument `index` (VT_BYREF | VT_BOOL), if it is one.
VARIANT_BOOL* BoolSlot(const DISPPARAMS& params, UINT index) {
    const VARIANT* argument = Argument(params, index);
    return argument && V_VT(argument) == (VT_BYREF | VT_BOOL) ? V_BOOLREF(argument) : nullptr;
}

// Runs `raise` with the current value of an in/out Cancel and writes the answer back.
template <typename Raise>
void WithCancel(VARIANT_BOOL* slot, Raise&& raise) {
    bool cancel = slot && *slot != VARIANT_FALSE;
    raise(cancel);
    if (slot)
        *slot = cancel ? VARIANT_TRUE : VARIANT_FALSE;
}

// BeforeNavigate2(pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
void RaiseBeforeNavigate2(TWebHost& host, const DISPPARAMS& params) {
    TBeforeNavigate2Event handler = host.OnBeforeNavigate2;
    if (!handler || params.cArgs != 7)
        return;
    WithCancel(BoolSlot(params, 6), [&](bool& cancel) {
        handler(host, DispatchArgument(params, 0), ArgumentOrEmpty(params, 1),
                ArgumentOrEmpty(params, 2), ArgumentOrEmpty(params, 3),
                ArgumentOrEmpty(params, 4), ArgumentOrEmpty(params, 5), cancel);
    });
}

// NewWindow2(ppDisp, Cancel)
void RaiseNewWindow2(TWebHost& host, const DISPPARAMS& params) {
    TNewWindow2Event handler = host.OnNewWindow2;
    if (!handler || params.cArgs != 2)
        return;
    const VARIANT* slot = Argument(params, 0);
    IDispatch** newBrowser =
        slot && V_VT(slot) == (VT_BYREF | VT_DISPATCH) ? V_DISPATCHREF(slot) : nullptr;
    WithCancel(BoolSlot(params, 1), [&](bool& cancel) { handler(host, newBrowser, cancel); });
}

// NewWindow3(ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
void RaiseNewWindow3(TWebHost& host, const DISPPARAMS& params) {
    TNewWindow3Event handler = host.OnNewWindow3;
    if (!handler || params.cArgs != 5)
        return;
    auto flags = static_cast<std::uint32_t>(VariantInt32(ArgumentOrEmpty(params, 2)));
    std::wstring context = VariantWideText(ArgumentOrEmpty(params, 3));
    std::wstring url = VariantWideText(ArgumentOrEmpty(params, 4));
    WithCancel(BoolSlot(params, 1),
               [&](bool& cancel) { handler(host, cancel, flags, context, url); });
}

// WindowClosing(IsChildWindow, Cancel)
void RaiseWindowClosing(TWebHost& host, const DISPPARAMS& params) {
    TWindowClosingEvent handler = host.OnWindowClosing;
    if (!handler || params.cArgs != 2)
        return;
    bool child = VariantBool(ArgumentOrEmpty(params, 0));
    WithCancel(BoolSlot(params, 1), [&](bool& cancel) { handler(host, child, cancel); });
}

// NavigateComplete2(pDisp, URL) and DocumentComplete(pDisp, URL): the browser, the page's or a
// frame's, and its address.
template <TDocumentCompleteEvent TWebHost::*event>
void RaiseBrowserAndAddress(TWebHost& host, const DISPPARAMS& params) {
    TDocumentCompleteEvent handler = host.*event;
    if (!handler || params.cArgs != 2)
        return;
    handler(host, DispatchArgument(params, 0), VariantText(ArgumentOrEmpty(params, 1)));
}

// CommandStateChange(Command, Enable)
void RaiseCommandStateChange(TWebHost& host, const DISPPARAMS& params) {
    TCommandStateChangeEvent handler = host.OnCommandStateChange;
    if (!handler || params.cArgs != 2)
        return;
    handler(host, VariantInt32(ArgumentOrEmpty(params, 0)),
            VariantBool(ArgumentOrEmpty(params, 1)));
}

struct EventRoute {
    DISPID dispId;
    void (*raise)(TWebHost& host, const DISPPARAMS& params);
};

constexpr std::array<EventRoute, 7> kEventRoutes = {{
    {kBeforeNavigate2, &RaiseBeforeNavigate2},
    {kNavigateComplete2, &RaiseBrowserAndAddress<&TWebHost::OnNavigateComplete2>},
    {kDocumentComplete, &RaiseBrowserAndAddress<&TWebHost::OnDocumentComplete>},
    {kCommandStateChange, &RaiseCommandStateChange},
    {kNewWindow2, &RaiseNewWindow2},
    {kNewWindow3, &RaiseNewWindow3},
    {kWindowClosing, &RaiseWindowClosing},
}};

}  // namespace

ComPtr<WebBrowserEventSink> WebBrowserEventSink::Create(TWebHost& host) {
    return ComPtr<WebBrowserEventSink>::Attach(new WebBrowserEventSink(host));
}

STDMETHODIMP WebBrowserEventSink::QueryInterface(REFIID iid, void** object) {
    // The connection point asks for the event interface itself; it is this IDispatch.
    static const std::array<InterfaceEntry, 3> kInterfaces = {
        Implements<WebBrowserEventSink, IDispatch>(__uuidof(IUnknown)),
        Implements<WebBrowserEventSink, IDispatch>(),
        Implements<WebBrowserEventSink, IDispatch>(__uuidof(DWebBrowserEvents2)),
    };
    return QueryInterfaceFromTable(this, kInterfaces, iid, object);
}

STDMETHODIMP WebBrowserEventSink::GetTypeInfoCount(UINT* count) {
    if (count)
        *count = 0;
    return S_OK;
}

STDMETHODIMP WebBrowserEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo) {
    if (typeInfo)
        *typeInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP WebBrowserEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

STDMETHODIMP WebBrowserEventSink::Invoke(DISPID dispId, REFIID, LCID, WORD, DISPPARAMS* params,
                                         VARIANT*, EXCEPINFO*, UINT*) {
    return ComGuarded([&]() -> HRESULT {
        if (!host_ || !params)
            return S_OK;
        // The handlers may show message boxes or ask for the end of the program.
        TWebHost::CallScope call(*host_);
        for (const EventRoute& route : kEventRoutes) {
            if (route.dispId == dispId)
                route.raise(*host_, *params);
        }
        return S_OK;
    });
}

}  // namespace velvane
