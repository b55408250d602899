// The browser host's answers to the interfaces the browser asks its site for, called directly:
// without an HTML engine the control itself never calls most of them. The site is taken from
// the browser (IOleObject::GetClientSite), so these are the pointers the browser holds.

#include <docobj.h>
#include <mshtmhst.h>
#include <servprov.h>

#include <functional>
#include <string>
#include <vector>

#include <shlguid.h>

#include "browserhost/guid_win.h"
#include "browserhost/web_host_rules.h"
#include "web_host_test_support.h"

namespace velvane {
namespace {

using Dl = TDownloadControlOption;
using Ui = TUserInterfaceOption;

template <typename Interface>
ComPtr<Interface> Query(IUnknown* object) {
    ComPtr<Interface> result;
    if (object) object->QueryInterface(__uuidof(Interface), result.put_void());
    return result;
}

IUnknown* IdentityOf(IUnknown* object) {
    ComPtr<IUnknown> identity = Query<IUnknown>(object);
    return identity.get();  // the object stays alive through `object`
}

class WebHostInterfaces : public testing::WebHostTest {
protected:
    void SetUp() override {
        WebHostTest::SetUp();
        host_ = CreateHost();
        site_ = SiteOf(*host_);
        ASSERT_TRUE(site_);
    }
    void TearDown() override {
        site_.reset();
        host_.reset();
        WebHostTest::TearDown();
    }

    template <typename Interface>
    ComPtr<Interface> SiteAs() const {
        return Query<Interface>(site_.get());
    }

    std::unique_ptr<TWebHost> host_;
    ComPtr<IOleClientSite> site_;
};

// A wrong pointer for an interface calls another interface's method in the same vtable slot.
// With every event answering its own marker, each interface must answer with the marker of the
// method called through it.
TEST_F(WebHostInterfaces, EachInterfaceAnswersThroughItsOwnPointerAndLeadsBackToOneIdentity) {
    host_->OnShowContextMenu = [](DWORD, POINT*, IUnknown*, IDispatch*) { return 0x101; };
    host_->OnGetOverrideKeyPath = [](LPOLESTR*, DWORD) { return 0x102; };
    host_->OnShowMessage = [](HWND, LPOLESTR, LPOLESTR, DWORD, LPOLESTR, DWORD, LRESULT*) {
        return 0x103;
    };
    host_->OnQueryService = [](REFGUID, REFIID, void**) { return 0x104; };
    host_->OnGetTypeInfoCount = [](UINT*) { return 0x105; };

    struct Case {
        const char* name;
        std::function<ComPtr<IUnknown>()> query;
        std::function<HRESULT(IUnknown*)> call;
        HRESULT expected;
    };
    auto as = [this](auto* typed) {
        using Interface = std::remove_pointer_t<decltype(typed)>;
        return [this] { return ComPtr<IUnknown>::Attach(SiteAs<Interface>().release()); };
    };
    HWND hostWindow = host_->Handle();
    auto windowAnswer = [hostWindow](IUnknown* p) {
        HWND window = nullptr;
        HRESULT result = static_cast<IOleWindow*>(static_cast<void*>(p))->GetWindow(&window);
        return SUCCEEDED(result) && window == hostWindow ? HRESULT(0x100) : E_FAIL;
    };
    const Case cases[] = {
        {"IOleClientSite", as((IOleClientSite*)nullptr),
         [](IUnknown* p) {
             IOleContainer* container = nullptr;
             return reinterpret_cast<IOleClientSite*>(p)->GetContainer(&container);
         },
         E_NOINTERFACE},
        {"IOleWindow", as((IOleWindow*)nullptr), windowAnswer, 0x100},
        {"IOleInPlaceSite", as((IOleInPlaceSite*)nullptr), windowAnswer, 0x100},
        {"IDocHostUIHandler", as((IDocHostUIHandler*)nullptr),
         [](IUnknown* p) {
             return reinterpret_cast<IDocHostUIHandler*>(p)->ShowContextMenu(0, nullptr, nullptr,
                                                                             nullptr);
         },
         0x101},
        {"IDocHostUIHandler2", as((IDocHostUIHandler2*)nullptr),
         [](IUnknown* p) {
             return reinterpret_cast<IDocHostUIHandler2*>(p)->GetOverrideKeyPath(nullptr, 0);
         },
         0x102},
        {"IDocHostShowUI", as((IDocHostShowUI*)nullptr),
         [](IUnknown* p) {
             return reinterpret_cast<IDocHostShowUI*>(p)->ShowMessage(nullptr, nullptr, nullptr, 0,
                                                                      nullptr, 0, nullptr);
         },
         0x103},
        {"IServiceProvider", as((IServiceProvider*)nullptr),
         [](IUnknown* p) {
             void* object = nullptr;
             return reinterpret_cast<IServiceProvider*>(p)->QueryService(GUID_NULL, IID_IUnknown,
                                                                         &object);
         },
         0x104},
        {"IDispatch", as((IDispatch*)nullptr),
         [](IUnknown* p) {
             UINT count = 7;
             return reinterpret_cast<IDispatch*>(p)->GetTypeInfoCount(&count);
         },
         0x105},
        {"IOleCommandTarget", as((IOleCommandTarget*)nullptr),
         [](IUnknown* p) {
             return reinterpret_cast<IOleCommandTarget*>(p)->Exec(nullptr, 1, 0, nullptr, nullptr);
         },
         static_cast<HRESULT>(kCommandUnknownGroup)},
    };

    IUnknown* identity = IdentityOf(site_.get());
    ASSERT_NE(identity, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<IUnknown> pointer = c.query();
        ASSERT_TRUE(pointer);
        EXPECT_EQ(c.call(pointer.get()), c.expected);
        EXPECT_EQ(IdentityOf(pointer.get()), identity);
    }
    // IDocHostUIHandler2 extends IDocHostUIHandler: one pointer serves both.
    EXPECT_EQ(static_cast<IUnknown*>(SiteAs<IDocHostUIHandler>().get()),
              static_cast<IUnknown*>(SiteAs<IDocHostUIHandler2>().get()));
    // The in-place frame is not another face of the site.
    EXPECT_FALSE(SiteAs<IOleInPlaceFrame>());
}

TEST_F(WebHostInterfaces, TheInPlaceFrameIsAnObjectOfItsOwn) {
    ComPtr<IOleInPlaceSite> inPlaceSite = SiteAs<IOleInPlaceSite>();
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position = {}, clip = {};
    OLEINPLACEFRAMEINFO info = {};
    info.cb = sizeof info;
    ASSERT_EQ(inPlaceSite->GetWindowContext(frame.put(), document.put(), &position, &clip, &info),
              S_OK);
    ASSERT_TRUE(frame);
    EXPECT_FALSE(document);
    EXPECT_EQ(position.right - position.left, 400);
    EXPECT_EQ(position.bottom - position.top, 300);
    EXPECT_EQ(info.hwndFrame, GetAncestor(host_->Handle(), GA_ROOT));

    IUnknown* frameIdentity = IdentityOf(frame.get());
    EXPECT_NE(frameIdentity, IdentityOf(site_.get()));
    EXPECT_EQ(IdentityOf(Query<IOleInPlaceUIWindow>(frame.get()).get()), frameIdentity);
    EXPECT_EQ(IdentityOf(Query<IOleWindow>(frame.get()).get()), frameIdentity);
    HWND window = nullptr;
    EXPECT_EQ(Query<IOleWindow>(frame.get())->GetWindow(&window), S_OK);
    EXPECT_EQ(window, info.hwndFrame);
    // A request for another rectangle is answered with the host's whole window.
    HWND browserWindow = GetWindow(host_->Handle(), GW_CHILD);
    ASSERT_TRUE(browserWindow);
    MoveWindow(browserWindow, 0, 0, 10, 10, FALSE);
    RECT asked = {0, 0, 50, 60};
    EXPECT_EQ(inPlaceSite->OnPosRectChange(&asked), S_OK);
    RECT given;
    GetClientRect(browserWindow, &given);
    EXPECT_EQ(given.right, 400);
    EXPECT_EQ(given.bottom, 300);
    // Frame and site answer EnableModeless differently: the reason they are two objects.
    EXPECT_EQ(frame->EnableModeless(TRUE), S_OK);
    EXPECT_EQ(SiteAs<IDocHostUIHandler>()->EnableModeless(TRUE), S_FALSE);
}

TEST_F(WebHostInterfaces, HostInfoCarriesTheUserInterfaceFlags) {
    struct Case {
        const char* name;
        UserInterfaceOptionSet options;
        DWORD flags;
    };
    const Case cases[] = {
        {"none", {}, 0x0},
        {"no 3D border", {Ui::NO3DBORDER}, 0x4},
        {"no 3D border, no scroll bars", {Ui::NO3DBORDER, Ui::SCROLL_NO}, 0xC},
        {"in-place navigation", {Ui::ENABLE_INPLACE_NAVIGATION}, 0x10000},
    };
    ComPtr<IDocHostUIHandler> handler = SiteAs<IDocHostUIHandler>();
    OLECHAR css[] = L"body {}";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host_->SetUserInterfaceOptions(c.options);
        for (ULONG claimedSize : {0UL, 12UL, 4096UL}) {
            DOCHOSTUIINFO info = {claimedSize, 0xFFFFFFFF, 7, css, nullptr};
            EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
            EXPECT_EQ(info.cbSize, sizeof(DOCHOSTUIINFO));
            EXPECT_EQ(info.dwFlags, c.flags);
            EXPECT_EQ(info.dwDoubleClick, 0u);
            EXPECT_EQ(info.pchHostCss, css);
        }
    }
    // The event sees the filled record, may change it, and its result is the answer.
    host_->OnGetHostInfo = [](DOCHOSTUIINFO* info) {
        EXPECT_EQ(info->cbSize, sizeof(DOCHOSTUIINFO));
        info->dwDoubleClick = 2;
        return HRESULT(0x42);
    };
    DOCHOSTUIINFO info = {};
    EXPECT_EQ(handler->GetHostInfo(&info), 0x42);
    EXPECT_EQ(info.dwDoubleClick, 2u);
}

TEST_F(WebHostInterfaces, AmbientDownloadControlAnswersTheFlagWord) {
    ComPtr<IDispatch> ambient = SiteAs<IDispatch>();
    auto ask = [&](WORD flags, bool withResult, VARIANT& result) {
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        VariantInit(&result);
        return ambient->Invoke(kAmbientDownloadControl, IID_NULL, 0, flags, &none,
                               withResult ? &result : nullptr, nullptr, nullptr);
    };

    struct Case {
        const char* name;
        std::function<void()> configure;
        LONG answer;
    };
    const Case cases[] = {
        {"after construction", [] {}, 0x70},
        {"empty set", [&] { host_->SetDownloadOptions({}); }, 0},
        {"forced offline and offline",
         [&] {
             host_->SetDownloadOptions({Dl::DLCTL_FORCEOFFLINE, Dl::DLCTL_OFFLINE});
         },
         static_cast<LONG>(0x90000000)},
        {"scripts off", [&] { host_->SetDownloadOptions({Dl::DLCTL_NO_SCRIPTS}); }, 0x80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.configure();
        VARIANT result;
        EXPECT_EQ(ask(DISPATCH_PROPERTYGET, true, result), S_OK);
        EXPECT_EQ(V_VT(&result), VT_I4);
        EXPECT_EQ(V_I4(&result), c.answer);
    }

    // Not a property get, or no place for the result: not the host's download answer.
    VARIANT result;
    EXPECT_NE(ask(DISPATCH_METHOD, true, result), S_OK);
    EXPECT_EQ(V_VT(&result), VT_EMPTY);
    EXPECT_NE(ask(DISPATCH_PROPERTYGET, false, result), S_OK);

    // Those go to OnInvoke when it is assigned; a proper get never does.
    std::vector<WORD> invoked;
    host_->OnInvoke = [&](DISPID, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                          UINT*) {
        invoked.push_back(flags);
        return HRESULT(0x77);
    };
    EXPECT_EQ(ask(DISPATCH_METHOD, true, result), 0x77);
    EXPECT_EQ(ask(DISPATCH_PROPERTYGET, false, result), 0x77);
    EXPECT_EQ(ask(DISPATCH_PROPERTYGET, true, result), S_OK);
    EXPECT_EQ(invoked, (std::vector<WORD>{DISPATCH_METHOD, DISPATCH_PROPERTYGET}));
}

TEST_F(WebHostInterfaces, StandardAmbientsDescribeAUserModeContainer) {
    ComPtr<IDispatch> ambient = SiteAs<IDispatch>();
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(
        ambient->Invoke(-709, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
        S_OK);  // DISPID_AMBIENT_USERMODE
    EXPECT_EQ(V_VT(&result), VT_BOOL);
    EXPECT_EQ(V_BOOL(&result), VARIANT_TRUE);
    VariantClear(&result);
    EXPECT_EQ(
        ambient->Invoke(-5501, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
        DISP_E_MEMBERNOTFOUND);  // offline-if-not-connected: the browser's own default
}

TEST_F(WebHostInterfaces, CommandTargetTakesOverOnlyWhatItsEventsAssign) {
    ComPtr<IOleCommandTarget> target = SiteAs<IOleCommandTarget>();
    int unloads = 0;
    std::vector<std::int32_t> refreshes;
    int scriptErrors = 0;
    bool cancelRefresh = false;
    auto assignAll = [&] {
        host_->OnUnload = [&](TWebHost&) { ++unloads; };
        host_->OnRefresh = [&](TWebHost&, std::int32_t id, bool& cancel) {
            refreshes.push_back(id);
            if (cancelRefresh) cancel = true;
        };
        host_->OnScriptError = [&](TWebHost&, const std::string&, const std::string&,
                                   const std::string&, const std::string&, const std::string&,
                                   bool&, bool&) { ++scriptErrors; };
    };
    GUID explorer = CGID_Explorer;
    GUID docHost = ToSystemGuid(kDocHostCommandGroup);
    GUID other = ToSystemGuid(kHtmlCommandGroup);

    struct Case {
        const char* name;
        const GUID* group;
        DWORD command;
        bool assigned;
        bool cancel;
        HRESULT result;
        int unloads;
        std::vector<std::int32_t> refreshes;
    };
    const HRESULT notSupported = kCommandNotSupported;
    const Case cases[] = {
        {"no group", nullptr, 2300, true, true, static_cast<HRESULT>(kCommandUnknownGroup), 0, {}},
        {"no group, unload id",
         nullptr,
         37,
         true,
         true,
         static_cast<HRESULT>(kCommandUnknownGroup),
         0,
         {}},
        {"another group", &other, 2300, true, true, notSupported, 0, {}},
        {"unload notice", &explorer, 37, true, false, notSupported, 1, {}},
        {"unload notice unassigned", &explorer, 37, false, false, notSupported, 0, {}},
        {"refresh left alone", &docHost, 2300, true, false, notSupported, 0, {2300}},
        {"refresh cancelled", &docHost, 6041, true, true, S_OK, 0, {6041}},
        {"refresh 6042 cancelled", &docHost, 6042, true, true, S_OK, 0, {6042}},
        {"refresh unassigned", &docHost, 2300, false, true, notSupported, 0, {}},
        {"not a refresh id", &docHost, 2301, true, true, notSupported, 0, {}},
        {"script error without a document", &docHost, 40, true, true, notSupported, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host_->OnUnload = nullptr;
        host_->OnRefresh = nullptr;
        host_->OnScriptError = nullptr;
        if (c.assigned) assignAll();
        unloads = 0;
        refreshes.clear();
        cancelRefresh = c.cancel;
        VARIANT out;
        VariantInit(&out);
        EXPECT_EQ(target->Exec(c.group, c.command, 0, nullptr, &out), c.result);
        EXPECT_EQ(unloads, c.unloads);
        EXPECT_EQ(refreshes, c.refreshes);
        EXPECT_EQ(V_VT(&out), VT_EMPTY);
    }
    EXPECT_EQ(scriptErrors, 0);
    EXPECT_EQ(target->QueryStatus(&docHost, 0, nullptr, nullptr), S_OK);
}

// Every host-interface method without its event: the answer that leaves the browser its own
// behaviour, with out-pointers cleared where the host clears them.
TEST_F(WebHostInterfaces, UnassignedEventsGiveTheBrowsersDefaults) {
    ComPtr<IDocHostUIHandler2> ui = SiteAs<IDocHostUIHandler2>();
    ComPtr<IDocHostShowUI> showUi = SiteAs<IDocHostShowUI>();
    ComPtr<IServiceProvider> services = SiteAs<IServiceProvider>();
    ComPtr<IDispatch> ambient = SiteAs<IDispatch>();
    void* const garbage = reinterpret_cast<void*>(0x1234);

    struct Case {
        const char* name;
        std::function<HRESULT(void*& out)> call;
        HRESULT result;
        bool clearsOut;
    };
    const Case cases[] = {
        {"ShowContextMenu",
         [&](void*&) { return ui->ShowContextMenu(0, nullptr, nullptr, nullptr); }, S_FALSE, false},
        {"ShowUI", [&](void*&) { return ui->ShowUI(0, nullptr, nullptr, nullptr, nullptr); },
         S_FALSE, false},
        {"HideUI", [&](void*&) { return ui->HideUI(); }, S_FALSE, false},
        {"UpdateUI", [&](void*&) { return ui->UpdateUI(); }, S_FALSE, false},
        {"EnableModeless", [&](void*&) { return ui->EnableModeless(TRUE); }, S_FALSE, false},
        {"OnDocWindowActivate", [&](void*&) { return ui->OnDocWindowActivate(TRUE); }, S_FALSE,
         false},
        {"OnFrameWindowActivate", [&](void*&) { return ui->OnFrameWindowActivate(TRUE); }, S_FALSE,
         false},
        {"ResizeBorder", [&](void*&) { return ui->ResizeBorder(nullptr, nullptr, TRUE); }, S_FALSE,
         false},
        {"TranslateAccelerator",
         [&](void*&) { return ui->TranslateAccelerator(nullptr, nullptr, 0); }, S_FALSE, false},
        {"GetOptionKeyPath", [&](void*&) { return ui->GetOptionKeyPath(nullptr, 0); }, S_FALSE,
         false},
        {"GetDropTarget",
         [&](void*& out) {
             return ui->GetDropTarget(nullptr, reinterpret_cast<IDropTarget**>(&out));
         },
         S_OK, true},
        {"GetExternal",
         [&](void*& out) { return ui->GetExternal(reinterpret_cast<IDispatch**>(&out)); }, S_FALSE,
         true},
        {"TranslateUrl",
         [&](void*& out) {
             OLECHAR url[] = L"about:blank";
             return ui->TranslateUrl(0, url, reinterpret_cast<LPWSTR*>(&out));
         },
         S_FALSE, true},
        {"FilterDataObject",
         [&](void*& out) {
             return ui->FilterDataObject(nullptr, reinterpret_cast<IDataObject**>(&out));
         },
         S_FALSE, true},
        {"GetOverrideKeyPath", [&](void*&) { return ui->GetOverrideKeyPath(nullptr, 0); }, S_OK,
         false},
        {"ShowMessage",
         [&](void*&) {
             return showUi->ShowMessage(nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
         },
         S_FALSE, false},
        {"ShowHelp without help file",
         [&](void*&) { return showUi->ShowHelp(nullptr, nullptr, 0, 0, POINT{}, nullptr); },
         S_FALSE, false},
        {"QueryService",
         [&](void*& out) { return services->QueryService(GUID_NULL, IID_IUnknown, &out); },
         E_NOINTERFACE, true},
        {"GetTypeInfo",
         [&](void*& out) {
             return ambient->GetTypeInfo(0, 0, reinterpret_cast<ITypeInfo**>(&out));
         },
         E_NOTIMPL, true},
        {"GetIDsOfNames",
         [&](void*&) { return ambient->GetIDsOfNames(IID_NULL, nullptr, 0, 0, nullptr); },
         E_NOTIMPL, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        void* out = garbage;
        EXPECT_EQ(c.call(out), c.result);
        if (c.clearsOut) {
            EXPECT_EQ(out, nullptr);
        }
    }
    UINT count = 7;
    EXPECT_EQ(ambient->GetTypeInfoCount(&count), E_NOTIMPL);
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(edgeErrors_.empty());
}

TEST_F(WebHostInterfaces, ShowHelpGoesToItsEventWithTheBrowsersArguments) {
    ComPtr<IDocHostShowUI> showUi = SiteAs<IDocHostShowUI>();
    OLECHAR file[] = L"page.chm";
    struct Seen {
        HWND window;
        std::wstring file;
        UINT command;
        DWORD data;
        LONG x;
    } seen = {};
    host_->HelpFile = "never used while the event is assigned.chm";
    host_->OnShowHelp = [&](HWND window, LPOLESTR helpFile, UINT command, DWORD data, POINT mouse,
                            IDispatch*) {
        seen = {window, helpFile, command, data, mouse.x};
        return HRESULT(S_OK);
    };
    EXPECT_EQ(showUi->ShowHelp(host_->Handle(), file, 15, 99, POINT{5, 6}, nullptr), S_OK);
    EXPECT_EQ(seen.window, host_->Handle());
    EXPECT_EQ(seen.file, L"page.chm");
    EXPECT_EQ(seen.command, 15u);
    EXPECT_EQ(seen.data, 99u);
    EXPECT_EQ(seen.x, 5);

    // Without the event the host's help file goes to HTML Help, and the request counts as
    // handled. HH_CLOSE_ALL (0x12) is a command that opens nothing.
    host_->OnShowHelp = nullptr;
    host_->HelpFile = "C:\\no such help.chm";
    EXPECT_EQ(showUi->ShowHelp(host_->Handle(), file, 0x12, 0, POINT{}, nullptr), S_OK);
    EXPECT_TRUE(edgeErrors_.empty());
}

// An exception escaping an event handler stops at the COM edge: the browser gets a failure
// code, the program's error sink gets the exception.
TEST_F(WebHostInterfaces, HandlerErrorsStopAtTheComEdge) {
    host_->OnShowContextMenu = [](DWORD, POINT*, IUnknown*, IDispatch*) -> HRESULT {
        throw std::runtime_error("handler failed");
    };
    EXPECT_EQ(SiteAs<IDocHostUIHandler>()->ShowContextMenu(0, nullptr, nullptr, nullptr),
              E_UNEXPECTED);
    ASSERT_EQ(edgeErrors_.size(), 1u);
}

// A browser that keeps its site after the host is gone gets a host's plain answers, and the
// last release frees the site.
TEST_F(WebHostInterfaces, ASiteOutlivingItsHostAnswersWithoutIt) {
    ComPtr<IDocHostUIHandler> ui = SiteAs<IDocHostUIHandler>();
    ComPtr<IOleCommandTarget> target = SiteAs<IOleCommandTarget>();
    ComPtr<IOleInPlaceSite> inPlace = SiteAs<IOleInPlaceSite>();
    host_->OnShowContextMenu = [](DWORD, POINT*, IUnknown*, IDispatch*) { return S_OK; };
    host_->SetUserInterfaceOptions({Ui::NO3DBORDER});
    host_.reset();

    DOCHOSTUIINFO info = {};
    EXPECT_EQ(ui->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.cbSize, sizeof(DOCHOSTUIINFO));
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(ui->ShowContextMenu(0, nullptr, nullptr, nullptr), S_FALSE);
    GUID docHost = ToSystemGuid(kDocHostCommandGroup);
    EXPECT_EQ(target->Exec(&docHost, 2300, 0, nullptr, nullptr),
              static_cast<HRESULT>(kCommandNotSupported));
    HWND window = reinterpret_cast<HWND>(1);
    EXPECT_EQ(inPlace->GetWindow(&window), E_FAIL);
    EXPECT_EQ(inPlace->CanInPlaceActivate(), S_FALSE);

    ui.reset();
    target.reset();
    inPlace.reset();
    site_.reset();
    EXPECT_EQ(LiveComObjects(), 0u);
}

}  // namespace
}  // namespace velvane
