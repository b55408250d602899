// The browser host with the platform's real WebBrowser control: creation, in-place activation,
// placement, navigation and its events, failures, and a teardown that leaves nothing behind.
// Under Wine there is no HTML engine: a navigation raises BeforeNavigate2 and command-state
// changes, but no document ever loads. The first navigation's events arrive inside Navigate,
// later ones after it returns, so the tests pump messages.

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder_win.h"
#include "web_host_test_support.h"
#include "win32/com_error_win.h"
#include "win32/variant_win.h"

namespace velvane {
namespace {

using testing::PumpMessagesUntil;

// A page file in a temp folder of its own, removed again with the object. Wine maps names outside
// ASCII through the Unix locale: where it cannot, the file stays missing, and the navigation
// events these tests look at come all the same.
class TempPage {
public:
    explicit TempPage(const std::string& name) : path_(folder_.File(name)) {
        try {
            folder_.Write(name, "<html><body>page</body></html>");
        } catch (const std::runtime_error&) {
        }
    }
    const std::string& Path() const { return path_; }

private:
    testsupport::TempFolder folder_{"page"};
    std::string path_;
};

struct NavigationLog {
    std::vector<std::string> urls;
    std::vector<std::pair<int, bool>> commandStates;
};

// Records the host's navigation events; cancels navigations to `cancelUrl`.
void Record(TWebHost& host, NavigationLog& log, const std::string& cancelUrl = {}) {
    host.OnBeforeNavigate2 = [&log, cancelUrl](TWebHost&, IDispatch*, const VARIANT& urlValue,
                                               const VARIANT&, const VARIANT&, const VARIANT&,
                                               const VARIANT&, bool& cancel) {
        std::string url = VariantText(urlValue);
        log.urls.push_back(url);
        EXPECT_FALSE(cancel);
        if (url == cancelUrl) cancel = true;
    };
    host.OnCommandStateChange = [&log](TWebHost&, std::int32_t command, bool enable) {
        log.commandStates.emplace_back(command, enable);
    };
}

std::string LocationOf(TWebHost& host) {
    BSTR location = nullptr;
    host.DefaultInterface()->get_LocationURL(&location);
    std::string text;
    for (const wchar_t* c = location; c && *c; ++c) text += static_cast<char>(*c);
    SysFreeString(location);
    return text;
}

class WebHostNavigation : public testing::WebHostTest {};

TEST_F(WebHostNavigation, ActivatesInPlaceInAChildWindowItPlaces) {
    auto host = std::make_unique<TWebHost>();
    host->SetBounds(20, 40, 600, 400);  // before the window exists: applied when it is created
    host->SetParentWindow(parent_.Handle());

    HWND window = host->Handle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetParent(window), parent_.Handle());
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "TWebHost");
    // In-place active: the browser's own window lives inside the host's.
    HWND browserWindow = GetWindow(window, GW_CHILD);
    ASSERT_TRUE(browserWindow);

    struct Step {
        const char* name;
        std::function<void()> apply;
        RECT expected;
    };
    const Step steps[] = {
        {"as created", [] {}, {20, 40, 620, 440}},
        {"left", [&] { host->SetLeft(5); }, {5, 40, 605, 440}},
        {"top", [&] { host->SetTop(7); }, {5, 7, 605, 407}},
        {"width", [&] { host->SetWidth(300); }, {5, 7, 305, 407}},
        {"height", [&] { host->SetHeight(100); }, {5, 7, 305, 107}},
        {"bounds", [&] { host->SetBounds(0, 0, 640, 480); }, {0, 0, 640, 480}},
        {"negative width", [&] { host->SetWidth(-5); }, {0, 0, 0, 480}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.apply();
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(HWND_DESKTOP, parent_.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, step.expected.left);
        EXPECT_EQ(rect.top, step.expected.top);
        EXPECT_EQ(rect.right, step.expected.right);
        EXPECT_EQ(rect.bottom, step.expected.bottom);
        // The browser fills the host.
        RECT inner;
        GetWindowRect(browserWindow, &inner);
        EXPECT_EQ(inner.right - inner.left, rect.right - rect.left);
        EXPECT_EQ(inner.bottom - inner.top, rect.bottom - rect.top);
    }
}

TEST_F(WebHostNavigation, BeforeNavigate2CarriesThePlainPathAndCancelStopsTheNavigation) {
    // A name outside 7-bit ASCII: the URL must come back byte for byte in the ANSI code page.
    TempPage first("velvane host \xE4 first.htm");
    TempPage second("velvane host second.htm");
    auto host = CreateHost();
    NavigationLog log;
    Record(*host, log, first.Path());

    // The first navigation's events arrive inside Navigate: cancelled at once, nothing follows.
    host->Navigate(first.Path());
    EXPECT_EQ(log.urls, std::vector<std::string>{first.Path()});
    EXPECT_TRUE(log.commandStates.empty());
    EXPECT_EQ(LocationOf(*host), "");

    // A later navigation's events arrive after Navigate returns; this one goes through.
    host->Navigate(second.Path());
    ASSERT_TRUE(PumpMessagesUntil([&] { return log.commandStates.size() >= 2; }));
    EXPECT_EQ(log.urls, (std::vector<std::string>{first.Path(), second.Path()}));
    EXPECT_EQ(log.commandStates, (std::vector<std::pair<int, bool>>{{2, false}, {1, false}}));
    EXPECT_NE(LocationOf(*host).find("second.htm"), std::string::npos);
    EXPECT_TRUE(edgeErrors_.empty());
}

TEST_F(WebHostNavigation, FailuresOfTheBrowserRaiseOleErrors) {
    auto host = CreateHost();
    struct Case {
        const char* name;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"back without history", [&] { host->GoBack(); }},
        {"forward without history", [&] { host->GoForward(); }},
        {"navigate without a site",
         [&] {
             // The control refuses to navigate once its site is gone.
             host->DefaultInterface().As<IOleObject>()->SetClientSite(nullptr);
             host->Navigate("C:\\nowhere.htm");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.call();
            ADD_FAILURE() << "no error raised";
        } catch (const OleError& error) {
            EXPECT_TRUE(FAILED(error.Code()));
            EXPECT_STRNE(error.what(), "");
        }
    }
}

TEST_F(WebHostNavigation, PassThroughPropertiesReachTheControl) {
    auto host = CreateHost();
    struct Case {
        const char* name;
        void (TWebHost::*set)(bool);
        bool (TWebHost::*get)() const;
    };
    const Case cases[] = {
        {"Offline", &TWebHost::SetOffline, &TWebHost::Offline},
        {"AddressBar", &TWebHost::SetAddressBar, &TWebHost::AddressBar},
        {"MenuBar", &TWebHost::SetMenuBar, &TWebHost::MenuBar},
        {"StatusBar", &TWebHost::SetStatusBar, &TWebHost::StatusBar},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool value : {true, false, true}) {
            (host.get()->*c.set)(value);
            EXPECT_EQ((host.get()->*c.get)(), value);
        }
    }
}

TEST_F(WebHostNavigation, DocumentCommandsWithoutADocumentDoNothing) {
    auto host = CreateHost();
    NavigationLog log;
    Record(*host, log);
    EXPECT_FALSE(host->Document());
    host->ShowFindDialog();
    host->CopySelection();
    VARIANT out;
    VariantInit(&out);
    host->ExecDocumentCommand(true, 1, 0, nullptr, &out);
    EXPECT_EQ(V_VT(&out), VT_EMPTY);
    EXPECT_TRUE(edgeErrors_.empty());
    EXPECT_TRUE(log.urls.empty());
}

// An exception from the owner's handler must not unwind into the browser: the navigation call
// returns normally and the error reaches the program's error sink.
TEST_F(WebHostNavigation, HandlerErrorsStopAtTheEventSink) {
    TempPage page("velvane host error.htm");
    auto host = CreateHost();
    host->OnBeforeNavigate2 = [](TWebHost&, IDispatch*, const VARIANT&, const VARIANT&,
                                 const VARIANT&, const VARIANT&, const VARIANT&,
                                 bool&) { throw std::runtime_error("handler failed"); };
    EXPECT_NO_THROW(host->Navigate(page.Path()));
    EXPECT_EQ(edgeErrors_.size(), 1u);
}

// Reference counts return to zero whichever way the host goes: destroyed by its owner after
// navigating, or losing its window first because the parent was destroyed.
TEST_F(WebHostNavigation, TeardownLeavesNoComObjectsBehind) {
    TempPage page("velvane host teardown.htm");
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        auto host = CreateHost();
        NavigationLog log;
        Record(*host, log);
        host->Navigate(page.Path());
        host->Navigate(page.Path());
        PumpMessagesUntil([&] { return log.commandStates.size() >= 4; });
        EXPECT_GT(LiveComObjects(), 0u);
        host.reset();
        EXPECT_EQ(LiveComObjects(), 0u);
    }

    testing::ParentWindow parent;
    auto host = std::make_unique<TWebHost>();
    host->SetParentWindow(parent.Handle());
    DestroyWindow(parent.Handle());
    EXPECT_EQ(LiveComObjects(), 0u);
    EXPECT_EQ(host->Handle(), nullptr);
    EXPECT_THROW(host->Navigate("C:\\page.htm"), OleError);
    EXPECT_FALSE(host->Document());
    host->CopySelection();
    host.reset();
    EXPECT_TRUE(edgeErrors_.empty());
}

}  // namespace
}  // namespace velvane
