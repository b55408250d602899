// TAboutBox in-process: its class style per Windows release, its fonts, its two forms, and its
// modal showing, which must keep serving the application's message hook and timers.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "services/application_win.h"
#include "case_name.h"
#include "runs_alone.h"
#include "splash/about_box_win.h"
#include "window/browser_window_win.h"

namespace velvane {
namespace {

constexpr UINT kStepMessage = WM_APP + 17;
constexpr UINT kGiveUpAfter = 10000;  // ms: a modal showing nobody ends fails instead of hanging

// The suite's one main window, shown as the program shows it. It is never destroyed: that would
// request termination of this test program's application object, which every later modal loop
// would then honour.
TBrowserWindow& MainWindow() {
    static TBrowserWindow* window = [] {
        auto* created = new TBrowserWindow(Application::Instance());
        created->Create();
        ShowWindow(created->Handle(), SW_SHOWNOACTIVATE);
        return created;
    }();
    return *window;
}

HWND Panel(const TAboutBox& box) {
    return FindWindowExA(box.Handle(), nullptr, "TAboutBoxPanel", nullptr);
}

HWND PanelControl(const TAboutBox& box, int id) {
    return GetDlgItem(Panel(box), id);
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// ---- Class style ---------------------------------------------------------------------------

struct Release {
    const char* name;
    WindowsVersionCode code;
    bool dropShadow;
};

class AboutBoxClass : public testing::TestWithParam<Release> {};

TEST_P(AboutBoxClass, CarriesTheDropShadowOnXpAndServer2003Only) {
    TAboutBox box(MainWindow());
    box.CreateFor(GetParam().code);
    DWORD style = GetClassLongA(box.Handle(), GCL_STYLE);
    EXPECT_EQ((style & CS_DROPSHADOW) != 0, GetParam().dropShadow);
    EXPECT_TRUE(style & CS_DBLCLKS) << "the standard form style is kept";
}

INSTANTIATE_TEST_SUITE_P(
    Releases, AboutBoxClass,
    testing::Values(Release{"Unrecognised", 0, false}, Release{"Windows95", 1, false},
                    Release{"Windows2000", 8, false}, Release{"WindowsXp", 9, true},
                    Release{"Server2003", 10, true}, Release{"Windows2000Again", 8, false}),
    CaseName());

// ---- Fonts ---------------------------------------------------------------------------------

struct FontCase {
    const char* name;
    std::function<HWND(const TAboutBox&)> window;
    const char* face;
    bool bold;
    bool underline;
};

const FontCase kFontCases[] = {
    {"Form", [](const TAboutBox& b) { return b.Handle(); }, "MS Sans Serif", false, false},
    {"Panel", [](const TAboutBox& b) { return Panel(b); }, "Tahoma", false, false},
    {"OKButton", [](const TAboutBox& b) { return PanelControl(b, IDOK); }, "Tahoma", false, false},
    {"Label1", [](const TAboutBox& b) { return PanelControl(b, AboutBoxPanel::kLabel1Id); },
     "Tahoma", true, false},
    {"VersionLabel",
     [](const TAboutBox& b) { return PanelControl(b, AboutBoxPanel::kVersionLabelId); }, "Tahoma",
     false, false},
    {"WebLink", [](const TAboutBox& b) { return PanelControl(b, AboutBoxPanel::kLabel5Id); },
     "Tahoma", false, true},
    {"MailLink", [](const TAboutBox& b) { return PanelControl(b, AboutBoxPanel::kLabel7Id); },
     "Tahoma", false, true},
};

class AboutBoxFont : public testing::TestWithParam<FontCase> {};

TEST_P(AboutBoxFont, IsTheDesignedOne) {
    TAboutBox box(MainWindow());
    box.CreateFor(0);
    box.ShowModeless();  // the box's parts are made when it is first shown
    HWND window = GetParam().window(box);
    ASSERT_TRUE(window);
    auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    ASSERT_TRUE(font);
    LOGFONTA logFont{};
    ASSERT_TRUE(GetObjectA(font, sizeof logFont, &logFont));
    EXPECT_STREQ(logFont.lfFaceName, GetParam().face);
    EXPECT_EQ(logFont.lfHeight, -11) << "11 pixels, not scaled";
    EXPECT_EQ(logFont.lfWeight >= FW_BOLD, GetParam().bold);
    EXPECT_EQ(logFont.lfUnderline != 0, GetParam().underline);
}

INSTANTIATE_TEST_SUITE_P(Parts, AboutBoxFont, testing::ValuesIn(kFontCases), CaseName());

// ---- The two forms ---------------------------------------------------------------------------

TEST(AboutBoxForms, FirstShowingIsCentredAndLaterOnesKeepTheTopLeft) {
    TAboutBox box(MainWindow());
    box.CreateFor(0);
    box.ShowAsSplash(true);
    EXPECT_FALSE(box.Showing()) << "choosing a form does not show the box";
    box.ShowModeless();
    RECT strip = WindowRect(box.Handle());
    EXPECT_EQ(strip.right - strip.left, 212);
    EXPECT_EQ(strip.bottom - strip.top, 50);
    EXPECT_EQ(strip.left, (GetSystemMetrics(SM_CXSCREEN) - 212) / 2);
    EXPECT_EQ(strip.top, (GetSystemMetrics(SM_CYSCREEN) - 50) / 2);

    box.ShowAsSplash(false);
    RECT about = WindowRect(box.Handle());
    EXPECT_EQ(about.bottom - about.top, 299);
    EXPECT_EQ(about.left, strip.left);
    EXPECT_EQ(about.top, strip.top) << "a change of height keeps the top edge";

    ShowWindow(box.Handle(), SW_HIDE);
    box.ShowModeless();
    EXPECT_EQ(WindowRect(box.Handle()).top, strip.top) << "only the first showing centres";
}

// ---- The modal showing -----------------------------------------------------------------------

// Runs `step` from inside the box's modal loop (through the application's message hook, which
// the loop must keep serving) and returns the modal result.
class ModalShowing {
public:
    explicit ModalShowing(TAboutBox& box) : box_(box) {}

    // `until`, when given, is asked at every message the loop takes; once it holds, the OK
    // button is pressed.
    int Run(const std::function<void()>& step, const std::function<bool()>& until = {}) {
        Application& application = Application::Instance();
        bool pressed = false;
        application.SetMessageHook([&](MSG& message) {
            if (until && !pressed && until()) {
                pressed = true;
                PostMessageA(PanelControl(box_, IDOK), BM_CLICK, 0, 0);
            }
            if (message.message != kStepMessage) return false;
            hookServed_ = true;
            ownerEnabled_ = IsWindowEnabled(MainWindow().Handle()) != FALSE;
            visible_ = IsWindowVisible(box_.Handle()) != FALSE;
            focus_ = GetFocus();
            step();
            return true;
        });
        PostThreadMessageA(GetCurrentThreadId(), kStepMessage, 0, 0);
        target_ = box_.Handle();
        UINT_PTR guard = SetTimer(nullptr, 0, kGiveUpAfter, &GiveUp);
        int result = box_.ShowModal();
        KillTimer(nullptr, guard);
        application.SetMessageHook(nullptr);
        return result;
    }

    bool hookServed_ = false;
    bool ownerEnabled_ = true;
    bool visible_ = false;
    HWND focus_ = nullptr;

private:
    static void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
        PostMessageA(target_, WM_CLOSE, 0, 0);
    }
    static inline HWND target_ = nullptr;
    TAboutBox& box_;
};

struct Ending {
    const char* name;
    std::function<void(const TAboutBox&)> act;
    int modalResult;
};

void Key(HWND target, UINT key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
}

const Ending kEndings[] = {
    {"OkButton", [](const TAboutBox& b) { PostMessageA(PanelControl(b, IDOK), BM_CLICK, 0, 0); },
     TAboutBox::kModalResultOk},
    {"Enter", [](const TAboutBox&) { Key(GetFocus(), VK_RETURN); }, TAboutBox::kModalResultOk},
    {"EnterOnTheBox", [](const TAboutBox& b) { Key(b.Handle(), VK_RETURN); },
     TAboutBox::kModalResultOk},
    {"Escape", [](const TAboutBox&) { Key(GetFocus(), VK_ESCAPE); }, TAboutBox::kModalResultCancel},
    {"CloseFromTheKeyboard",
     [](const TAboutBox& b) { PostMessageA(b.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
     TAboutBox::kModalResultCancel},
};

class AboutBoxModal : public testing::TestWithParam<Ending> {};

// Where the focus lands depends on which program's window the display activates last.
TEST_P(AboutBoxModal, ServesTheHookDisablesTheOwnerAndEndsWithItsResult) {
    VELVANE_RUNS_ALONE();
    TAboutBox box(MainWindow());
    box.CreateFor(0);
    box.ShowAsSplash(false);
    ModalShowing showing(box);
    int result = showing.Run([&] { GetParam().act(box); });

    EXPECT_EQ(result, GetParam().modalResult);
    EXPECT_TRUE(showing.hookServed_) << "the application's message hook was not served";
    EXPECT_TRUE(showing.visible_);
    EXPECT_FALSE(showing.ownerEnabled_) << "the owner stayed enabled: not modal";
    EXPECT_EQ(showing.focus_, PanelControl(box, IDOK)) << "the OK button takes the focus";
    EXPECT_FALSE(box.Showing()) << "the box stays up after its modal showing";
    EXPECT_FALSE(box.InModalLoop());
    EXPECT_TRUE(IsWindowEnabled(MainWindow().Handle())) << "the owner stays disabled";
}

INSTANTIATE_TEST_SUITE_P(Endings, AboutBoxModal, testing::ValuesIn(kEndings), CaseName());

TEST(AboutBoxModal, TimersTickUnderneath) {
    TAboutBox box(MainWindow());
    box.CreateFor(0);
    box.ShowAsSplash(false);
    // Far from the third tick: the ticks are counted and the main window is left alone.
    MainWindow().closeTicks = -1000;
    box.closeConfirmed = true;
    ModalShowing showing(box);
    int result = showing.Run([&] { box.EnableShutdownTimer(); },
                             [] { return MainWindow().closeTicks >= -1000 + 3; });
    EXPECT_EQ(result, TAboutBox::kModalResultOk) << "the timer never ticked three times";
    EXPECT_FALSE(box.closeConfirmed) << "a tick before the third clears the confirmation";
    MainWindow().closeTicks = 0;
}

TEST(AboutBoxModal, SecondShowingWhileModalReturnsAtOnce) {
    TAboutBox box(MainWindow());
    box.CreateFor(0);
    box.ShowAsSplash(false);
    int nested = -1;
    ModalShowing showing(box);
    int result = showing.Run([&] {
        nested = box.ShowModal();
        PostMessageA(PanelControl(box, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(result, TAboutBox::kModalResultOk);
}

// The closing sequence may begin while the about box is open: the modal showing ends, the owner
// is enabled again, and the box stays up as the strip where it stood.
TEST(AboutBoxModal, ClosingSplashTakesOver) {
    TAboutBox box(MainWindow());
    box.CreateFor(0);
    box.ShowAsSplash(false);
    RECT about{};
    ModalShowing showing(box);
    int result = showing.Run([&] {
        about = WindowRect(box.Handle());
        box.ShowAsSplash(true);
        box.SetStayOnTop(true);
        box.ShowModeless();
    });
    EXPECT_EQ(result, TAboutBox::kModalResultCancel);
    EXPECT_TRUE(box.Showing());
    RECT strip = WindowRect(box.Handle());
    EXPECT_EQ(strip.left, about.left);
    EXPECT_EQ(strip.top, about.top);
    EXPECT_EQ(strip.bottom - strip.top, 50);
    EXPECT_TRUE(IsWindowEnabled(MainWindow().Handle()));
}

}  // namespace
}  // namespace velvane
