// WebHostSite as the document host's UI handler (IDocHostUIHandler2) and message and help
// presenter (IDocHostShowUI). Each method hands its arguments to the event of the same name and
// answers with the event's result; without the event it gives the answer of a host that leaves
// the browser its own behaviour.

#include <string>

#include "browserhost/ie_utils_win.h"
#include "browserhost/web_host_rules.h"
#include "browserhost/web_host_site_win.h"

namespace velvane {
namespace {

// The size of the record this host fills: cbSize, dwFlags, dwDoubleClick and two text
// pointers, 20 bytes in a 32-bit build and 32 in a 64-bit one. It is written whatever size the
// browser's record claims.
constexpr ULONG kHostInfoSize = sizeof(DOCHOSTUIINFO);

template <typename T>
void ClearOut(T** out) {
    if (out)
        *out = nullptr;
}

}  // namespace

STDMETHODIMP WebHostSite::ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                          IDispatch* pdispReserved) {
    return Raise(&TWebHost::OnShowContextMenu, S_FALSE, dwID, ppt, pcmdtReserved, pdispReserved);
}

STDMETHODIMP WebHostSite::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    if (!pInfo)
        return E_POINTER;
    pInfo->cbSize = kHostInfoSize;
    pInfo->dwFlags = host_ ? host_->HostUIFlags() : 0;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    // pchHostCss and pchHostNS stay as the browser passed them.
    return Raise(&TWebHost::OnGetHostInfo, S_OK, pInfo);
}

STDMETHODIMP WebHostSite::ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                 IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                 IOleInPlaceUIWindow* pDoc) {
    return Raise(&TWebHost::OnShowUI, S_FALSE, dwID, pActiveObject, pCommandTarget, pFrame, pDoc);
}

STDMETHODIMP WebHostSite::HideUI() {
    return Raise(&TWebHost::OnHideUI, S_FALSE);
}

STDMETHODIMP WebHostSite::UpdateUI() {
    return Raise(&TWebHost::OnUpdateUI, S_FALSE);
}

// The browser tells its host of modal UI of its own (a script's message box, a prompt) with
// EnableModeless(FALSE) before and TRUE after: the host is not torn down in between.
STDMETHODIMP WebHostSite::EnableModeless(BOOL fEnable) {
    return Guarded([&] {
        if (host_)
            host_->ControlModalUI(ModalSource::UIHandler, fEnable == FALSE);
        return Raise(&TWebHost::OnEnableModeless, S_FALSE, fEnable);
    });
}

STDMETHODIMP WebHostSite::OnDocWindowActivate(BOOL fActivate) {
    return Raise(&TWebHost::OnOnDocWindowActivate, S_FALSE, fActivate);
}

STDMETHODIMP WebHostSite::OnFrameWindowActivate(BOOL fActivate) {
    return Raise(&TWebHost::OnOnFrameWindowActivate, S_FALSE, fActivate);
}

STDMETHODIMP WebHostSite::ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                       BOOL fRameWindow) {
    return Raise(&TWebHost::OnResizeBorder, S_FALSE, prcBorder, pUIWindow, fRameWindow);
}

STDMETHODIMP WebHostSite::TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup,
                                               DWORD nCmdID) {
    return Raise(&TWebHost::OnTranslateAccelerator, S_FALSE, lpMsg, pguidCmdGroup, nCmdID);
}

STDMETHODIMP WebHostSite::GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) {
    return Raise(&TWebHost::OnGetOptionKeyPath, S_FALSE, pchKey, dw);
}

STDMETHODIMP WebHostSite::GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) {
    ClearOut(ppDropTarget);
    return Raise(&TWebHost::OnGetDropTarget, S_OK, pDropTarget, ppDropTarget);
}

STDMETHODIMP WebHostSite::GetExternal(IDispatch** ppDispatch) {
    ClearOut(ppDispatch);
    return Raise(&TWebHost::OnGetExternal, S_FALSE, ppDispatch);
}

STDMETHODIMP WebHostSite::TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) {
    // "No translation" must leave no address behind: the browser would take and free it.
    ClearOut(ppchURLOut);
    return Raise(&TWebHost::OnTranslateUrl, S_FALSE, dwTranslate, pchURLIn, ppchURLOut);
}

STDMETHODIMP WebHostSite::FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) {
    ClearOut(ppDORet);
    return Raise(&TWebHost::OnFilterDataObject, S_FALSE, pDO, ppDORet);
}

STDMETHODIMP WebHostSite::GetOverrideKeyPath(LPOLESTR* pchKey, DWORD dw) {
    return Raise(&TWebHost::OnGetOverrideKeyPath, S_OK, pchKey, dw);
}

STDMETHODIMP WebHostSite::ShowMessage(HWND hwnd, LPOLESTR lpstrText, LPOLESTR lpstrCaption,
                                      DWORD dwType, LPOLESTR lpstrHelpFile, DWORD dwHelpContext,
                                      LRESULT* plResult) {
    return Raise(&TWebHost::OnShowMessage, S_FALSE, hwnd, lpstrText, lpstrCaption, dwType,
                 lpstrHelpFile, dwHelpContext, plResult);
}

STDMETHODIMP WebHostSite::ShowHelp(HWND hwnd, LPOLESTR pszHelpFile, UINT uCommand, DWORD dwData,
                                   POINT ptMouse, IDispatch* pDispatchObjectHit) {
    bool hasEvent = host_ && host_->OnShowHelp;
    bool hasHelpFile = host_ && !host_->HelpFile.empty();
    switch (PlanShowHelp(hasEvent, hasHelpFile)) {
        case HelpRoute::Event:
            return Raise(&TWebHost::OnShowHelp, S_FALSE, hwnd, pszHelpFile, uCommand, dwData,
                         ptMouse, pDispatchObjectHit);
        case HelpRoute::HtmlHelp:
            // The host's own help file replaces the one the browser names; HTML Help's result
            // (a window, or none) is not the browser's business.
            return Guarded([&] {
                std::string helpFile = host_->HelpFile;  // HTML Help may run a message loop
                CallHtmlHelp(hwnd, helpFile, uCommand, dwData);
                return S_OK;
            });
        case HelpRoute::Browser:
            break;
    }
    return S_FALSE;
}

}  // namespace velvane
