#include "browserhost/web_host_frame_win.h"

#include <array>

namespace velvane {

ComPtr<WebHostFrame> WebHostFrame::Create(HWND window) {
    return ComPtr<WebHostFrame>::Attach(new WebHostFrame(window));
}

void WebHostFrame::Detach() {
    window_ = nullptr;
    OnModalUI = nullptr;
    activeObject_.reset();
}

STDMETHODIMP WebHostFrame::QueryInterface(REFIID iid, void** object) {
    static const std::array<InterfaceEntry, 4> kInterfaces = {
        Implements<WebHostFrame, IOleInPlaceFrame>(__uuidof(IUnknown)),
        Implements<WebHostFrame, IOleInPlaceFrame>(__uuidof(IOleWindow)),
        Implements<WebHostFrame, IOleInPlaceFrame>(__uuidof(IOleInPlaceUIWindow)),
        Implements<WebHostFrame, IOleInPlaceFrame>(),
    };
    return QueryInterfaceFromTable(this, kInterfaces, iid, object);
}

STDMETHODIMP WebHostFrame::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP WebHostFrame::GetBorder(LPRECT border) {
    if (!border)
        return E_POINTER;
    SetRectEmpty(border);
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP WebHostFrame::SetActiveObject(IOleInPlaceActiveObject* activeObject, LPCOLESTR) {
    activeObject_ = ComPtr<IOleInPlaceActiveObject>::Share(activeObject);
    return S_OK;
}

STDMETHODIMP WebHostFrame::EnableModeless(BOOL enable) {
    return ComGuarded([&] {
        if (std::function<void(bool)> handler = OnModalUI)
            handler(enable == FALSE);
        return S_OK;
    });
}

STDMETHODIMP WebHostFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) {
    if (widths) {
        for (LONG& width : widths->width) width = 0;
    }
    return S_OK;
}

}  // namespace velvane
