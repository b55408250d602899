// WebHostSite as the WebBrowser object's client site and in-place site.

#include "browserhost/web_host_site_win.h"

#include <array>

#include "browserhost/web_host_frame_win.h"

namespace velvane {

ComPtr<WebHostSite> WebHostSite::Create(TWebHost& host, ComPtr<WebHostFrame> frame) {
    return ComPtr<WebHostSite>::Attach(new WebHostSite(host, std::move(frame)));
}

WebHostSite::WebHostSite(TWebHost& host, ComPtr<WebHostFrame> frame)
    : host_(&host), frame_(std::move(frame)) {}

void WebHostSite::Detach() {
    host_ = nullptr;
    frame_.reset();
}

STDMETHODIMP WebHostSite::QueryInterface(REFIID iid, void** object) {
    // IDocHostUIHandler and IDocHostUIHandler2 share one implementation; IOleWindow is the
    // in-place site's base. The in-place frame is a COM object of its own (WebHostFrame).
    static const std::array<InterfaceEntry, 10> kInterfaces = {
        Implements<WebHostSite, IOleClientSite>(__uuidof(IUnknown)),
        Implements<WebHostSite, IOleClientSite>(),
        Implements<WebHostSite, IOleInPlaceSite>(__uuidof(IOleWindow)),
        Implements<WebHostSite, IOleInPlaceSite>(),
        Implements<WebHostSite, IOleCommandTarget>(),
        Implements<WebHostSite, IServiceProvider>(),
        Implements<WebHostSite, IDispatch>(),
        Implements<WebHostSite, IDocHostUIHandler2>(),
        Implements<WebHostSite, IDocHostUIHandler2>(__uuidof(IDocHostUIHandler)),
        Implements<WebHostSite, IDocHostShowUI>(),
    };
    return QueryInterfaceFromTable(this, kInterfaces, iid, object);
}

STDMETHODIMP WebHostSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP WebHostSite::GetContainer(IOleContainer** container) {
    // No document container: the host holds exactly one object.
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP WebHostSite::GetWindow(HWND* window) {
    return Guarded([&]() -> HRESULT {
        if (!window)
            return E_POINTER;
        *window = host_ ? host_->Handle() : nullptr;
        return *window ? S_OK : E_FAIL;
    });
}

STDMETHODIMP WebHostSite::CanInPlaceActivate() {
    return Guarded([&] { return host_ && host_->Handle() ? S_OK : S_FALSE; });
}

STDMETHODIMP WebHostSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                           LPRECT position, LPRECT clip,
                                           LPOLEINPLACEFRAMEINFO frameInfo) {
    return Guarded([&] { return AnswerWindowContext(frame, document, position, clip, frameInfo); });
}

HRESULT WebHostSite::AnswerWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                         LPRECT position, LPRECT clip,
                                         LPOLEINPLACEFRAMEINFO frameInfo) {
    if (!frame || !document || !position || !clip || !frameInfo)
        return E_POINTER;
    *frame = nullptr;
    *document = nullptr;  // the frame is the document window too
    if (!host_ || !host_->Handle() || !frame_)
        return E_FAIL;
    *frame = frame_.Share().release();
    GetClientRect(host_->Handle(), position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = frame_->Window();
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP WebHostSite::OnPosRectChange(LPCRECT position) {
    // The browser asks for another rectangle. The host's window decides the size: the answer, which
    // the browser waits for, is SetObjectRects with the rectangle it gets, the whole window.
    return Guarded([&]() -> HRESULT {
        if (!position)
            return E_POINTER;
        if (host_)
            host_->ResizeBrowser();
        return S_OK;
    });
}

}  // namespace velvane
