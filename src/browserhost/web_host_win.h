#pragma once
// TWebHost: the child control in which the main window shows the disc's pages. It is the OLE
// container of the platform's WebBrowser control: it creates the object, is its client site and
// in-place site (WebHostSite) and its in-place frame (WebHostFrame), activates it in place inside
// a child window of its own, receives its DWebBrowserEvents2 (WebBrowserEventSink), and answers
// the MSHTML host interfaces the browser asks its site for, so that the program decides the
// border and scroll-bar style, what is downloaded, the context menu, script errors, help and
// message boxes.
//
// Why a child window of its own rather than activating the browser straight in the parent: the
// host is then one window the owner places with one call, its WM_SIZE keeps the browser's
// rectangle in step, its WM_DESTROY tells the host that the parent is going away before the
// browser's windows are, and other programs (and tests) find the browser area as one child.
//
// Use, on the UI thread (the OLE apartment):
//   auto host = std::make_unique<TWebHost>();     // creates the WebBrowser object; may throw
//   host->SetParentWindow(mainWindow);           // creates the child window, activates in place
//   host->SetBounds(left, top, width, height);   // or SetLeft/SetTop/SetWidth/SetHeight
//   host->SetOffline(false); host->SetAddressBar(false); ... options, events ...
//   host->Navigate("D:\\start.htm");             // throws OleError on a failure HRESULT
//   host.reset();                                 // tears everything down (see Teardown)
//
// Never tear the host down while a call into the browser or from it is on the stack (the browser
// runs modal loops inside them): ask MayRunNow, and when it says no, wait for OnCallsReturned.

#include <windows.h>
#include <exdisp.h>

#include <cstdint>
#include <string>

#include "browserhost/reentry_guard.h"
#include "browserhost/web_host_events_win.h"
#include "browserhost/web_host_options.h"
#include "win32/com_ptr_win.h"
#include "win32/connection_point_win.h"
#include "win32/window_win.h"

namespace velvane {

class WebHostSite;
class WebHostFrame;
class WebBrowserEventSink;

class TWebHost : public Window {
public:
    // Creates the WebBrowser object and makes this host its site, then sets DownloadOptions to
    // their default and UserInterfaceOptions to empty (each notifying the browser). Throws
    // OleError when the platform has no usable WebBrowser control.
    TWebHost();
    ~TWebHost() override;

    // Creates the host's child window in `parent` (once) and activates the browser in place in
    // it. Bounds set before are applied.
    void SetParentWindow(HWND parent);

    // Placement within the parent's client area, in pixels; each applies at once.
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return bounds_; }

    // What the browser downloads and runs (answered as the ambient download-control property)
    // and the host UI flags (reported by GetHostInfo). Assigning either recomputes its flag word
    // and tells the browser that the ambient download-control property changed.
    DownloadOptionSet DownloadOptions() const { return downloadOptions_; }
    void SetDownloadOptions(DownloadOptionSet options);
    UserInterfaceOptionSet UserInterfaceOptions() const { return userInterfaceOptions_; }
    void SetUserInterfaceOptions(UserInterfaceOptionSet options);
    std::uint32_t DownloadControlFlags() const { return downloadControlFlags_; }
    std::uint32_t HostUIFlags() const { return hostUIFlags_; }

    // The WebBrowser control's own properties, passed through; setters throw OleError on a
    // failure HRESULT.
    bool Offline() const;
    void SetOffline(bool value);
    bool AddressBar() const;
    void SetAddressBar(bool value);
    bool MenuBar() const;
    void SetMenuBar(bool value);
    bool StatusBar() const;
    void SetStatusBar(bool value);
    // The current document's dispatch interface; empty while no document is loaded.
    ComPtr<IDispatch> Document() const;
    // The control itself, for anything not wrapped here.
    ComPtr<IWebBrowser2> DefaultInterface() const { return browser_.Share(); }

    // Navigates to a URL or an absolute file path (8-bit, ANSI code page). GoBack and GoForward
    // take the browser's own history steps. All three throw OleError on a failure HRESULT (for
    // the history steps: no entry that way).
    void Navigate(const std::string& url);
    void Navigate(const std::wstring& url);
    void GoBack();
    void GoForward();

    // Runs a command on the current document's command target, in the HTML command group when
    // `useHtmlGroup` is set. Never reports anything: no document, no command target or a failed
    // command leave no trace.
    void ExecDocumentCommand(bool useHtmlGroup, DWORD commandId, DWORD option, VARIANT* in,
                             VARIANT* out) noexcept;
    // The browser's find-in-page dialog, and the selection to the clipboard.
    void ShowFindDialog() noexcept;
    void CopySelection() noexcept;

    // Gives the browser the host window's whole client area (IOleInPlaceObject::SetObjectRects):
    // on every resize, and as the answer to the browser's own request for another rectangle.
    void ResizeBrowser();

    // Whether `browser`, the object an event names, is this control itself rather than one of the
    // page's frames (compared by COM identity). An event that names none counts as the control's.
    bool IsTopLevelBrowser(IDispatch* browser) const;

    // Passes on the owner's modal state to the browser's active object: while the owner shows
    // a modal box, the browser keeps its own modeless windows (the find dialog, say) disabled.
    void EnableModeless(bool enable) noexcept;
    // Tells the browser's active object that the top-level window was activated or deactivated.
    void FrameWindowActivated(bool active) noexcept;
    // Puts the keyboard focus into the page: UI activation, then the document's own window.
    void FocusPage();

    // For the owner's message loop: gives the browser the first look at keyboard messages for
    // its windows (tab, arrows, clipboard keys inside the page). True when the browser took it.
    bool TranslateAccelerator(MSG& message);

    // One call between the program and the browser, in either direction, on the stack for the
    // scope's life (ReentryGuard). The host takes one around its own calls into the browser and
    // in every method the browser calls; the owner takes one around any call it makes into the
    // browser's objects itself (the page's print()).
    class CallScope {
    public:
        explicit CallScope(TWebHost& host) noexcept : host_(host) { host_.guard_.Enter(); }
        ~CallScope() { host_.LeaveCall(); }
        CallScope(const CallScope&) = delete;
        CallScope& operator=(const CallScope&) = delete;

    private:
        TWebHost& host_;
    };
    // The browser announced modal UI of its own (EnableModeless(FALSE) to `source`), or its end.
    void ControlModalUI(ModalSource source, bool shown) noexcept;
    // True when work that must not run under a call into the browser or from it (its teardown,
    // a navigation that replaces its page) may run now. Otherwise OnCallsReturned is raised once
    // the outermost call has returned.
    bool MayRunNow() noexcept { return guard_.MayRunNow(); }
    TCallsReturnedEvent OnCallsReturned;

    // Published properties: stored for the owner, or read when the browser asks.
    bool ReplaceCaption = false;  // stored only
    std::string HelpFile;         // HTML Help file for ShowHelp requests

    TBeforeNavigate2Event OnBeforeNavigate2;
    TNavigateComplete2Event OnNavigateComplete2;
    TDocumentCompleteEvent OnDocumentComplete;
    TCommandStateChangeEvent OnCommandStateChange;
    TNewWindow2Event OnNewWindow2;
    TNewWindow3Event OnNewWindow3;
    TWindowClosingEvent OnWindowClosing;
    TBrowserWindowDestroyedEvent OnBrowserWindowDestroyed;

    TRefreshEvent OnRefresh;
    TScriptErrorEvent OnScriptError;
    TUnloadEvent OnUnload;

    TGetOverrideKeyPathEvent OnGetOverrideKeyPath;
    TShowContextMenuEvent OnShowContextMenu;
    TGetHostInfoEvent OnGetHostInfo;
    TShowUIEvent OnShowUI;
    THideUIEvent OnHideUI;
    TUpdateUIEvent OnUpdateUI;
    TEnableModelessEvent OnEnableModeless;
    TOnDocWindowActivateEvent OnOnDocWindowActivate;
    TOnFrameWindowActivateEvent OnOnFrameWindowActivate;
    TResizeBorderEvent OnResizeBorder;
    TTranslateAcceleratorEvent OnTranslateAccelerator;
    TGetOptionKeyPathEvent OnGetOptionKeyPath;
    TGetDropTargetEvent OnGetDropTarget;
    TGetExternalEvent OnGetExternal;
    TTranslateUrlEvent OnTranslateUrl;
    TFilterDataObjectEvent OnFilterDataObject;

    TShowMessageEvent OnShowMessage;
    TShowHelpEvent OnShowHelp;

    TGetTypeInFoCountEvent OnGetTypeInfoCount;
    TGetTypeInfoEvent OnGetTypeInfo;
    TGetIDsOfNamesEvent OnGetIDsOfNames;
    TInvokeEvent OnInvoke;

    TQueryServiceEvent OnQueryService;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateBrowser();
    void ActivateInPlace();
    void ApplyBounds();
    void FocusBrowser();
    void NavigateTo(VARIANT* target);
    ComPtr<IOleInPlaceActiveObject> ActiveObject() const;
    void NotifyAmbientDownloadControl();
    IWebBrowser2& Browser() const;
    using FlagGetter = HRESULT (STDMETHODCALLTYPE IWebBrowser2::*)(VARIANT_BOOL*);
    using FlagSetter = HRESULT (STDMETHODCALLTYPE IWebBrowser2::*)(VARIANT_BOOL);
    bool BrowserFlag(FlagGetter get) const;
    void SetBrowserFlag(FlagSetter put, bool value);
    void Teardown() noexcept;
    void ParentNotify(WPARAM wParam, LPARAM lParam);
    void LeaveCall() noexcept;
    void RaiseCallsReturned() noexcept;

    ComPtr<IOleObject> browserObject_;
    ComPtr<IWebBrowser2> browser_;
    ComPtr<IOleInPlaceObject> inPlaceObject_;
    ComPtr<WebHostSite> site_;
    ComPtr<WebHostFrame> frame_;
    ComPtr<WebBrowserEventSink> events_;
    AdviseScope eventConnection_;
    ReentryGuard guard_;

    RECT bounds_ = {0, 0, 0, 0};
    bool resizing_ = false;
    HWND controlWindow_ = nullptr;  // the browser's own window while it is in place
    DownloadOptionSet downloadOptions_;
    UserInterfaceOptionSet userInterfaceOptions_;
    std::uint32_t downloadControlFlags_ = 0;
    std::uint32_t hostUIFlags_ = 0;
};

}  // namespace velvane
