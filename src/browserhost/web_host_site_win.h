#pragma once
// WebHostSite: the one COM object the WebBrowser control knows as its site. It is the client
// site and in-place site, and it answers the MSHTML host interfaces the browser asks its site
// for: IDocHostUIHandler2 (IDocHostUIHandler shares it), IDocHostShowUI, IOleCommandTarget,
// IServiceProvider and IDispatch (the ambient properties). Every answer that the program may
// decide goes through the event properties of its TWebHost.
//
// The browser may keep a reference after the host is gone (or call in while the host tears
// down), so the host cuts the link with Detach; a detached site gives the answers of a host
// without events and no window.
//
// Methods are grouped by interface over several files: web_host_site_win.cpp (IUnknown, client
// and in-place site), web_host_ui_handler_win.cpp (IDocHostUIHandler2, IDocHostShowUI),
// web_host_command_target_win.cpp (IOleCommandTarget), web_host_ambient_win.cpp (IDispatch,
// IServiceProvider).

#include <windows.h>
#include <docobj.h>
#include <mshtmhst.h>
#include <oleidl.h>
#include <servprov.h>

#include <utility>

#include "browserhost/web_host_win.h"
#include "win32/com_object_win.h"
#include "win32/com_ptr_win.h"

namespace velvane {

class WebHostFrame;

class WebHostSite final
    : public ComObject<IOleClientSite, IOleInPlaceSite, IDocHostUIHandler2, IDocHostShowUI,
                       IOleCommandTarget, IServiceProvider, IDispatch> {
public:
    static ComPtr<WebHostSite> Create(TWebHost& host, ComPtr<WebHostFrame> frame);

    // Cuts the link to the host and releases the frame; the browser's later calls get the
    // answers of a host without events.
    void Detach();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

    // IDocHostUIHandler, IDocHostUIHandler2
    STDMETHODIMP ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                 IDispatch* pdispReserved) override;
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* pInfo) override;
    STDMETHODIMP ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                        IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                        IOleInPlaceUIWindow* pDoc) override;
    STDMETHODIMP HideUI() override;
    STDMETHODIMP UpdateUI() override;
    STDMETHODIMP EnableModeless(BOOL fEnable) override;
    STDMETHODIMP OnDocWindowActivate(BOOL fActivate) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL fActivate) override;
    STDMETHODIMP ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                              BOOL fRameWindow) override;
    STDMETHODIMP TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup,
                                      DWORD nCmdID) override;
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) override;
    STDMETHODIMP GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
    STDMETHODIMP GetExternal(IDispatch** ppDispatch) override;
    STDMETHODIMP TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) override;
    STDMETHODIMP FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override;
    STDMETHODIMP GetOverrideKeyPath(LPOLESTR* pchKey, DWORD dw) override;

    // IDocHostShowUI
    STDMETHODIMP ShowMessage(HWND hwnd, LPOLESTR lpstrText, LPOLESTR lpstrCaption, DWORD dwType,
                             LPOLESTR lpstrHelpFile, DWORD dwHelpContext,
                             LRESULT* plResult) override;
    STDMETHODIMP ShowHelp(HWND hwnd, LPOLESTR pszHelpFile, UINT uCommand, DWORD dwData,
                          POINT ptMouse, IDispatch* pDispatchObjectHit) override;

    // IOleCommandTarget
    STDMETHODIMP QueryStatus(const GUID* pguidCmdGroup, ULONG cCmds, OLECMD prgCmds[],
                             OLECMDTEXT* pCmdText) override;
    STDMETHODIMP Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD nCmdexecopt, VARIANT* pvaIn,
                      VARIANT* pvaOut) override;

    // IServiceProvider
    STDMETHODIMP QueryService(REFGUID guidService, REFIID riid, void** ppvObject) override;

    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID localeId, ITypeInfo** typeInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID localeId,
                               DISPID* dispIds) override;
    STDMETHODIMP Invoke(DISPID dispId, REFIID iid, LCID localeId, WORD flags, DISPPARAMS* params,
                        VARIANT* varResult, EXCEPINFO* excepInfo, UINT* argErr) override;

private:
    WebHostSite(TWebHost& host, ComPtr<WebHostFrame> frame);
    ~WebHostSite() = default;

    // Runs `body` as one call from the browser into the program (TWebHost::CallScope), with
    // exceptions stopped at the COM edge.
    template <typename Body>
    HRESULT Guarded(Body&& body) noexcept;
    // Calls the host's event `event` with `args` when the host is attached and the event
    // assigned, else answers `fallback`. The handler is copied first: it may reassign itself.
    template <typename Event, typename... Args>
    HRESULT Raise(Event TWebHost::*event, HRESULT fallback, Args&&... args) noexcept;

    HRESULT AnswerStandardAmbient(DISPID dispId, WORD flags, VARIANT* varResult) const;
    HRESULT AnswerWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo);

    TWebHost* host_;
    ComPtr<WebHostFrame> frame_;
};

template <typename Body>
HRESULT WebHostSite::Guarded(Body&& body) noexcept {
    if (!host_)
        return ComGuarded(body);
    TWebHost::CallScope call(*host_);
    return ComGuarded(body);
}

template <typename Event, typename... Args>
HRESULT WebHostSite::Raise(Event TWebHost::*event, HRESULT fallback, Args&&... args) noexcept {
    return Guarded([&]() -> HRESULT {
        if (!host_ || !(host_->*event))
            return fallback;
        Event handler = host_->*event;
        return handler(std::forward<Args>(args)...);
    });
}

}  // namespace velvane
