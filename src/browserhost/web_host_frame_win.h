#pragma once
// WebHostFrame: the in-place frame the WebBrowser object gets from its site's GetWindowContext.
// The host has no menus, tool space or status bar to offer; the frame's one real job is to hold
// the active object the browser registers, through which the owner's message loop lets the
// browser translate its keyboard accelerators.
//
// A COM object of its own, not another face of WebHostSite: IOleInPlaceFrame::EnableModeless
// and IDocHostUIHandler::EnableModeless have the same signature but different answers.

#include <windows.h>
#include <oleidl.h>

#include <functional>

#include "win32/com_object_win.h"
#include "win32/com_ptr_win.h"

namespace velvane {

class WebHostFrame final : public ComObject<IOleInPlaceFrame> {
public:
    static ComPtr<WebHostFrame> Create(HWND window);

    // The top-level window the frame stands for, once the host has a parent.
    void SetWindow(HWND window) { window_ = window; }
    HWND Window() const { return window_; }
    // Forgets the window, the modal-UI handler and the active object.
    void Detach();

    // Told when the browser announces modal UI of its own (true) and its end (false).
    std::function<void(bool shown)> OnModalUI;

    // The object that is UI-active in the frame, if any.
    IOleInPlaceActiveObject* ActiveObject() const { return activeObject_.get(); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceUIWindow: no tool space to negotiate.
    STDMETHODIMP GetBorder(LPRECT border) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* activeObject, LPCOLESTR) override;

    // IOleInPlaceFrame: no menus, no status bar, nothing modal of its own; the browser's
    // EnableModeless tells of its modal UI.
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    explicit WebHostFrame(HWND window) : window_(window) {}
    ~WebHostFrame() = default;

    HWND window_;
    ComPtr<IOleInPlaceActiveObject> activeObject_;
};

}  // namespace velvane
