#pragma once
// The stand-in WebBrowser control: a COM in-process server that behaves towards its container as
// the platform's control does (the calls it makes into the site, the events and their VARIANT
// layouts, its window classes), with a page model read from the page file instead of an HTML
// engine. Every call in both directions goes to a log that the tests read.
//
// Files: log.cpp (the log), browser.cpp (the control's OLE side), navigation.cpp (loading pages
// and firing events), input.cpp (its windows, commands and the user's input), document.cpp
// (document, page window and element objects), page.cpp (page model and addresses),
// module.cpp (the DLL's exports and the sound watch).

#include <windows.h>
#include <docobj.h>
#include <exdisp.h>
#include <mshtml.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <oleidl.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "standin/stubs.h"
#include "win32/com_ptr_win.h"

namespace velvane::standin {

// ---- log.cpp ----------------------------------------------------------------------------------
// One line per call, prefixed with the depth of events on the stack ("d=1 ").
void Log(const std::string& line);
std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
std::string HrText(HRESULT hr);
std::string VariantText(const VARIANT& value);
// Depth of DWebBrowserEvents2 calls into the container on the stack.
int EventDepth();
class EventScope {
public:
    EventScope();
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;
};
// Depth of the control's own modal UI (a dialog's modal loop) on the stack.
int ModalDepth();
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};
// A teardown step the container takes: flagged when an event or modal UI is on the stack.
void NoteTeardown(const char* what);

// ---- page.cpp ---------------------------------------------------------------------------------
enum class Profile { Plain, File };
struct Link {
    std::wstring href, target, id;
};
struct Frame {
    std::wstring src, name;
};
struct PageModel {
    std::vector<Link> links;
    std::vector<Frame> frames;
};
PageModel ReadPageModel(const std::wstring& path);
// The local file an address names ("D:\x\y.htm" or "file:///D:/x/y.htm"); "" for other schemes.
std::wstring PathFromAddress(const std::wstring& address);
// How the control reports a local file under a profile.
std::wstring AddressFromPath(const std::wstring& path, Profile profile);
// A link's address as the page at `pagePath` resolves it.
std::wstring ResolveLink(const std::wstring& pagePath, const std::wstring& href, Profile profile);
bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix);

// ---- document.cpp -----------------------------------------------------------------------------
// A dispatch object whose properties are looked up by name; subclasses answer gets and puts.
class NamedDispatch : public IDispatch {
public:
    explicit NamedDispatch(std::string owner, std::vector<std::wstring> names);
    virtual ~NamedDispatch() = default;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

protected:
    // `index` is the position of the name in the list given to the constructor.
    virtual HRESULT GetProperty(std::size_t index, VARIANT* result);
    virtual HRESULT PutProperty(std::size_t index, const VARIANT& value);
    std::string owner_;
    std::vector<std::wstring> names_;
};

class Browser;
class PageWindow;

class Document final : public HtmlDocument2Stubs, public IOleCommandTarget {
public:
    explicit Document(Browser& browser, const std::wstring& url);
    // The browser is going: the document (which the container may still hold) forgets it.
    void Detach();
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;
    STDMETHODIMP get_parentWindow(IHTMLWindow2** window) override;
    STDMETHODIMP get_body(IHTMLElement** body) override;
    STDMETHODIMP get_URL(BSTR* url) override;
    STDMETHODIMP QueryStatus(const GUID* group, ULONG count, OLECMD commands[],
                             OLECMDTEXT* text) override;
    STDMETHODIMP Exec(const GUID* group, DWORD id, DWORD option, VARIANT* in,
                      VARIANT* out) override;

    PageWindow& Window() { return *window_.get(); }
    IDispatch* Body() { return body_.get(); }
    const std::wstring& Url() const { return url_; }

private:
    ~Document();
    LONG refs_ = 1;
    std::wstring url_;
    ComPtr<PageWindow> window_;
    ComPtr<IDispatch> body_;
    Browser* browser_;  // the browser that shows it, until it goes
};

class PageWindow final : public HtmlWindow2Stubs, public HtmlWindow3Stubs {
public:
    explicit PageWindow(Browser* browser) : browser_(browser) {}
    void Detach() { browser_ = nullptr; }
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;
    STDMETHODIMP get_event(IHTMLEventObj** event) override;
    STDMETHODIMP print() override;

    // The event object of a script error while it is being reported, else none.
    void SetScriptError(const std::wstring& url, bool present);

private:
    ~PageWindow();
    LONG refs_ = 1;
    Browser* browser_;
    ComPtr<IHTMLEventObj> event_;
};

// The event object of one script error: its five properties by name.
class ScriptErrorEvent final : public HtmlEventObjStubs {
public:
    explicit ScriptErrorEvent(std::wstring url) : url_(std::move(url)) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    ~ScriptErrorEvent() = default;
    LONG refs_ = 1;
    std::wstring url_;
};

// The page's body element (late bound: "style") and its style ("cursor").
ComPtr<IDispatch> CreateBody();

// ---- browser.cpp, navigation.cpp, input.cpp ----------------------------------------------------
class Browser final : public WebBrowser2Stubs,
                      public IOleObject,
                      public IOleInPlaceObject,
                      public IOleInPlaceActiveObject,
                      public IConnectionPointContainer,
                      public IConnectionPoint,
                      public IOleCommandTarget,
                      public IOleControl,
                      public IPersistStreamInit {
public:
    // A top-level control, or the browser of one frame of `top`'s page.
    static ComPtr<Browser> Create(Browser* top);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDispatch (late bound: Document, LocationURL)
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;
    // IWebBrowser2, what a container uses
    STDMETHODIMP GoBack() override;
    STDMETHODIMP GoForward() override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP get_Application(IDispatch** application) override;
    STDMETHODIMP get_Document(IDispatch** document) override;
    STDMETHODIMP get_LocationURL(BSTR* url) override;
    STDMETHODIMP get_Busy(VARIANT_BOOL* busy) override;
    STDMETHODIMP get_ReadyState(READYSTATE* state) override;
    STDMETHODIMP Navigate2(VARIANT* url, VARIANT* flags, VARIANT* frame, VARIANT* postData,
                           VARIANT* headers) override;
    STDMETHODIMP get_Offline(VARIANT_BOOL* value) override;
    STDMETHODIMP put_Offline(VARIANT_BOOL value) override;
    STDMETHODIMP get_Silent(VARIANT_BOOL* value) override;
    STDMETHODIMP put_Silent(VARIANT_BOOL value) override;
    STDMETHODIMP get_AddressBar(VARIANT_BOOL* value) override;
    STDMETHODIMP put_AddressBar(VARIANT_BOOL value) override;
    STDMETHODIMP get_MenuBar(VARIANT_BOOL* value) override;
    STDMETHODIMP put_MenuBar(VARIANT_BOOL value) override;
    STDMETHODIMP get_StatusBar(VARIANT_BOOL* value) override;
    STDMETHODIMP put_StatusBar(VARIANT_BOOL value) override;
    STDMETHODIMP put_RegisterAsDropTarget(VARIANT_BOOL value) override;
    STDMETHODIMP put_RegisterAsBrowser(VARIANT_BOOL value) override;
    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override;
    STDMETHODIMP GetClipboardData(DWORD, IDataObject** data) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                        LPCRECT position) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* id) override;
    STDMETHODIMP GetUserType(DWORD, LPOLESTR* type) override;
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override;
    STDMETHODIMP GetExtent(DWORD, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink*, DWORD* connection) override;
    STDMETHODIMP Unadvise(DWORD connection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override;
    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;
    STDMETHODIMP TranslateAccelerator(LPMSG message) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    // IConnectionPointContainer, IConnectionPoint (DWebBrowserEvents2 only)
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;
    // (IConnectionPoint::Unadvise shares IOleObject::Unadvise's signature: both end up there.)
    // IOleCommandTarget
    STDMETHODIMP QueryStatus(const GUID* group, ULONG count, OLECMD commands[],
                             OLECMDTEXT* text) override;
    STDMETHODIMP Exec(const GUID* group, DWORD id, DWORD option, VARIANT* in,
                      VARIANT* out) override;
    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG*) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID id) override;
    STDMETHODIMP FreezeEvents(BOOL) override;
    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* id) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(IStream*) override;
    STDMETHODIMP Save(IStream*, BOOL) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;

    // navigation.cpp: what the page and the user make the control do.
    void StartNavigation(const std::wstring& url, int historyStep = 0);
    void FinishLoad();
    bool AskBeforeNavigate(Browser& target, const std::wstring& url, const std::wstring& frameName);
    void OpenNewWindow(const std::wstring& url, const char* why);
    void ScriptWindowClose();
    void ScriptError(int frame);
    bool LoadFrame(Browser& frame, const std::wstring& url, const std::wstring& name);
    void AskHostForDocument();
    void ReadAmbient(DISPID id, const char* name);
    HRESULT Fire(const char* name, DISPID id, std::vector<VARIANTARG> args);

    // input.cpp: the windows, the commands, the keys.
    void CreateWindows(HWND parent, const RECT& position);
    void DestroyWindows();
    void QueueCommand(const std::string& command);
    void RunQueuedCommands();
    void RunCommand(const std::string& command);
    void ClickLink(const std::string& which, bool shift);
    void ClickInFrame(const std::string& frameAndLink);
    void RightClick();
    bool TakesMouseInput() const;
    void SwitchAwayAndBack();
    void PageKey(const std::string& name);
    bool OfferKeyToHost(MSG& message);
    LRESULT ServerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT EmbeddingMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // modal.cpp: the control's own modal UI, run on whichever browser (top or frame) shows it.
    void RunModal(const char* what);
    void AnnounceModal(bool enable);
    void ScriptAlert();

    // Container interfaces taken from the client site (empty when it has none).
    ComPtr<IDocHostUIHandler> UIHandler() const;
    ComPtr<IOleCommandTarget> HostCommandTarget() const;
    Document* CurrentDocument() const { return document_.get(); }
    IDispatch* AsDispatch() { return static_cast<WebBrowser2Stubs*>(this); }

private:
    explicit Browser(Browser* top);
    ~Browser();
    void ActivateInPlace(HWND parent, const RECT* position);
    void ActivateUI();
    HRESULT GetFlag(const char* name, VARIANT_BOOL value, VARIANT_BOOL* out);
    HRESULT SetFlag(const char* name, VARIANT_BOOL& field, VARIANT_BOOL value);

    LONG refs_ = 1;
    int selfHolds_ = 0;  // references the control holds on itself while an event runs
    Browser* top_;       // this for the top-level control; the owner for a frame's browser

    ComPtr<IOleClientSite> site_;
    ComPtr<IOleInPlaceSite> inPlaceSite_;
    ComPtr<IOleInPlaceFrame> frame_;
    ComPtr<IOleInPlaceUIWindow> uiWindow_;
    struct Sink {
        DWORD cookie;
        ComPtr<IDispatch> sink;
    };
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;

    HWND embedding_ = nullptr;  // "Shell Embedding"
    HWND view_ = nullptr;       // "Shell DocObject View"
    HWND server_ = nullptr;     // "Internet Explorer_Server"
    bool inPlace_ = false;
    bool uiActive_ = false;

    VARIANT_BOOL offline_ = VARIANT_FALSE;
    VARIANT_BOOL silent_ = VARIANT_FALSE;
    VARIANT_BOOL addressBar_ = VARIANT_TRUE;
    VARIANT_BOOL menuBar_ = VARIANT_TRUE;
    VARIANT_BOOL statusBar_ = VARIANT_TRUE;

    Profile profile_ = Profile::Plain;
    bool holdNextLoad_ = false;
    DWORD modalMs_ = 0;  // how long the control's modal UI stays up; none when 0
    bool olderNewWindowEvent_ = false;  // NewWindow2 instead of NewWindow3
    bool bothNewWindowEvents_ = false;  // NewWindow2, then NewWindow3
    bool noWindowClosing_ = false;      // before IE 5.5: window.close() destroys the window
    bool loading_ = false;
    std::wstring loadingUrl_;
    int loadingStep_ = 0;
    std::wstring location_;
    std::wstring pagePath_;
    PageModel page_;
    ComPtr<Document> document_;
    std::vector<ComPtr<Browser>> frames_;
    std::vector<std::wstring> history_;
    std::size_t historyIndex_ = 0;
    int focusedLink_ = -1;

    std::deque<std::string> commands_;
    int commandCount_ = 0;
    bool runningCommand_ = false;
};

// Private messages of the control's windows.
constexpr UINT kRunCommandsMessage = WM_APP + 0x51;
constexpr UINT kFinishLoadMessage = WM_APP + 0x52;

// module.cpp
HINSTANCE ModuleInstance();

}  // namespace velvane::standin
