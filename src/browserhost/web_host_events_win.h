#pragma once
// The event properties of TWebHost. Each is empty until the program assigns it.
//
// Events of the WebBrowser control and of the command target carry the host as sender; the
// host-interface events take the interface method's own arguments and return its HRESULT, which
// the host passes back to the browser unchanged.

#include <windows.h>
#include <docobj.h>
#include <mshtmhst.h>
#include <oleidl.h>

#include <cstdint>
#include <functional>
#include <string>

namespace velvane {

class TWebHost;

// The WebBrowser control's events. The URL is the browser's own variant, so that a character
// the ANSI code page lacks is not lost before the handler decides; setting `cancel` to true
// stops the navigation.
using TBeforeNavigate2Event = std::function<void(
    TWebHost& sender, IDispatch* pDisp, const VARIANT& url, const VARIANT& flags,
    const VARIANT& targetFrameName, const VARIANT& postData, const VARIANT& headers, bool& cancel)>;
using TDocumentCompleteEvent =
    std::function<void(TWebHost& sender, IDispatch* pDisp, const std::string& url)>;
// NavigateComplete2 carries what DocumentComplete does.
using TNavigateComplete2Event = TDocumentCompleteEvent;
// The last call between the program and the browser on the stack returned, and work waits for
// that moment (TWebHost::MayRunNow). Raised in the call's last frames: post the work, don't run it.
using TCallsReturnedEvent = std::function<void(TWebHost& sender)>;
// Command 1 is the forward step, 2 the back step, -1 "update all commands".
using TCommandStateChangeEvent =
    std::function<void(TWebHost& sender, std::int32_t command, bool enable)>;

// A page asks for a new window (a link with a target of its own, Shift+click, window.open,
// Ctrl+N). NewWindow2 carries no address; NewWindow3, which newer browsers raise instead or as
// well, carries the address and the page that asks. Setting `cancel` opens no window. A handler
// that leaves it false may put a new, unnavigated WebBrowser object of its own (an owned
// reference) into `newBrowser`: the browser then opens the address there instead of in a window
// of its own, beginning with that object's BeforeNavigate2.
using TNewWindow2Event =
    std::function<void(TWebHost& sender, IDispatch** newBrowser, bool& cancel)>;
using TNewWindow3Event =
    std::function<void(TWebHost& sender, bool& cancel, std::uint32_t flags,
                       const std::wstring& urlContext, const std::wstring& url)>;
// A script closes the page's window (window.close()); setting `cancel` keeps the browser from
// asking the user or closing anything itself.
using TWindowClosingEvent =
    std::function<void(TWebHost& sender, bool isChildWindow, bool& cancel)>;

// The control destroyed its own window while it was in place. Controls older than IE 5.5 raise
// no WindowClosing: a script's window.close() makes them destroy their window, and the
// container learns it only from the window's end.
using TBrowserWindowDestroyedEvent = std::function<void(TWebHost& sender)>;

// The command target's events.
using TRefreshEvent = std::function<void(TWebHost& sender, std::int32_t cmdId, bool& cancel)>;
using TUnloadEvent = std::function<void(TWebHost& sender)>;
using TScriptErrorEvent = std::function<void(
    TWebHost& sender, const std::string& errorLine, const std::string& errorCharacter,
    const std::string& errorCode, const std::string& errorMessage, const std::string& errorUrl,
    bool& continueScript, bool& showDialog)>;

// IDocHostUIHandler2.
using TShowContextMenuEvent = std::function<HRESULT(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                                    IDispatch* pdispReserved)>;
using TGetHostInfoEvent = std::function<HRESULT(DOCHOSTUIINFO* pInfo)>;
using TShowUIEvent = std::function<HRESULT(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                           IOleCommandTarget* pCommandTarget,
                                           IOleInPlaceFrame* pFrame, IOleInPlaceUIWindow* pDoc)>;
using THideUIEvent = std::function<HRESULT()>;
using TUpdateUIEvent = std::function<HRESULT()>;
using TEnableModelessEvent = std::function<HRESULT(BOOL fEnable)>;
using TOnDocWindowActivateEvent = std::function<HRESULT(BOOL fActivate)>;
using TOnFrameWindowActivateEvent = std::function<HRESULT(BOOL fActivate)>;
using TResizeBorderEvent =
    std::function<HRESULT(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fRameWindow)>;
using TTranslateAcceleratorEvent =
    std::function<HRESULT(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID)>;
using TGetOptionKeyPathEvent = std::function<HRESULT(LPOLESTR* pchKey, DWORD dw)>;
using TGetOverrideKeyPathEvent = std::function<HRESULT(LPOLESTR* pchKey, DWORD dw)>;
using TGetDropTargetEvent =
    std::function<HRESULT(IDropTarget* pDropTarget, IDropTarget** ppDropTarget)>;
using TGetExternalEvent = std::function<HRESULT(IDispatch** ppDispatch)>;
using TTranslateUrlEvent =
    std::function<HRESULT(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut)>;
using TFilterDataObjectEvent = std::function<HRESULT(IDataObject* pDO, IDataObject** ppDORet)>;

// IDocHostShowUI.
using TShowMessageEvent =
    std::function<HRESULT(HWND hwnd, LPOLESTR lpstrText, LPOLESTR lpstrCaption, DWORD dwType,
                          LPOLESTR lpstrHelpFile, DWORD dwHelpContext, LRESULT* plResult)>;
using TShowHelpEvent =
    std::function<HRESULT(HWND hwnd, LPOLESTR pszHelpFile, UINT uCommand, DWORD dwData,
                          POINT ptMouse, IDispatch* pDispatchObjectHit)>;

// The ambient IDispatch.
using TGetTypeInFoCountEvent = std::function<HRESULT(UINT* count)>;
using TGetTypeInfoEvent = std::function<HRESULT(UINT index, LCID localeId, ITypeInfo** typeInfo)>;
using TGetIDsOfNamesEvent = std::function<HRESULT(REFIID iid, LPOLESTR* names, UINT nameCount,
                                                  LCID localeId, DISPID* dispIds)>;
using TInvokeEvent =
    std::function<HRESULT(DISPID dispId, REFIID iid, LCID localeId, WORD flags, DISPPARAMS* params,
                          VARIANT* varResult, EXCEPINFO* excepInfo, UINT* argErr)>;

// IServiceProvider.
using TQueryServiceEvent = std::function<HRESULT(REFGUID rsid, REFIID iid, void** obj)>;

}  // namespace velvane
