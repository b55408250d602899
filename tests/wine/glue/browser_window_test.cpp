// The main window in this process, driven through its own browser: the about items, the close
// addresses, the music rule and the report of a missing program.

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "driver/driver_more.h"
#include "services/application_win.h"
#include "splash/about_box_win.h"
#include "support/background_win.h"
#include "support/temp_folder_win.h"
#include "win32/com_object_win.h"
#include "win32/com_ptr_win.h"
#include "win32/variant_win.h"
#include "window/browser_window_win.h"

namespace velvane {

// Reaches the window's private parts for these tests.
class BrowserWindowProbe {
public:
    static void SetProgramFolder(TBrowserWindow& window, const std::string& folder) {
        window.programFolder_ = folder;
    }
    static void FormShow(TBrowserWindow& window) { window.FormShow(); }
    static void SetSoundOutput(TBrowserWindow& window, TBrowserWindow::PlaySoundFunction output) {
        window.playSound_ = output;
    }
    static void StartIntroMusic(TBrowserWindow& window) { window.StartIntroMusic(); }
    // Layered windows as the system has them, or none (nullptr), as before Windows 2000.
    static void SetLayeredWindows(TBrowserWindow& window, bool present) {
        window.setLayeredAttributes_ =
            present ? TBrowserWindow::SystemLayeredAttributes() : nullptr;
    }
    static void StartFadeIn(TBrowserWindow& window) { window.StartFadeIn(); }
    static void FadeTimerTimer(TBrowserWindow& window) { window.FadeTimerTimer(); }
};

namespace {

struct SoundCall {
    std::string sound;  // "(none)" for a call without a sound name
    DWORD flags;
};
std::vector<SoundCall> soundCalls;

BOOL WINAPI RecordSound(LPCSTR sound, HMODULE, DWORD flags) {
    soundCalls.push_back({sound ? sound : "(none)", flags});
    return TRUE;
}

// Waits guard against hangs only: each ends as soon as what it waits for has happened.
constexpr DWORD kTimeout = 10000;

// A main window as start-up leaves it, with a start page on disc, shown by FormShow.
class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        static bool applicationReady = [] {
            Application::Instance().Initialize();
            return true;
        }();
        ASSERT_TRUE(applicationReady);
        temp_.Write("index.html", "<p>start</p>");
        window_.Create();
        aboutBox_.Create();
        window_.SetAboutBox(&aboutBox_);
        BrowserWindowProbe::SetProgramFolder(window_, folder_);
        BrowserWindowProbe::SetSoundOutput(window_, &RecordSound);
        soundCalls.clear();
        window_.settings.startPage = "index.html";
        window_.settings.executeExt = "exe";
        window_.settings.windowCaption = "Probe";
    }

    void Show() {
        BrowserWindowProbe::FormShow(window_);
        ASSERT_TRUE(window_.browser) << "no browser host";
        ShowWindow(window_.Handle(), SW_SHOW);
        HWND host = window_.browser->Handle();
        driver::WaitUntil(
            [host] {
                HWND focus = GetFocus();
                return focus == host || IsChild(host, focus);
            },
            kTimeout);
    }

    // For navigations that must change nothing: there is no mark to wait for, so time passes
    // (the messages pumped meanwhile) and the test then looks that nothing happened.
    void NavigateAndLetTimePass(const std::string& url) {
        window_.browser->Navigate(url);
        driver::Pause(300);
    }

public:
    testsupport::TempFolder temp_{"window"};  // outlives the window, which shows its pages
    std::string folder_ = temp_.Path();
    TBrowserWindow window_{Application::Instance()};
    TAboutBox aboutBox_{window_};
};

// Any object of the browser's other than the control itself: its site stands in for a frame.
ComPtr<IDispatch> SiteOf(TWebHost& host) {
    ComPtr<IOleObject> object = host.DefaultInterface().As<IOleObject>();
    ComPtr<IOleClientSite> site;
    if (object) object->GetClientSite(site.put());
    return site ? site.As<IDispatch>() : ComPtr<IDispatch>();
}

// The browser's active object, as the host sees it after UI activation, recording what the
// host tells it.
class RecordingActiveObject final : public ComObject<IOleInPlaceActiveObject> {
public:
    static ComPtr<RecordingActiveObject> Create() {
        return ComPtr<RecordingActiveObject>::Attach(new RecordingActiveObject());
    }
    std::vector<std::string> calls;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        static const std::array<InterfaceEntry, 3> kInterfaces = {
            Implements<RecordingActiveObject, IOleInPlaceActiveObject>(IID_IUnknown),
            Implements<RecordingActiveObject, IOleInPlaceActiveObject>(__uuidof(IOleWindow)),
            Implements<RecordingActiveObject, IOleInPlaceActiveObject>(),
        };
        return QueryInterfaceFromTable(this, kInterfaces, iid, object);
    }
    STDMETHODIMP GetWindow(HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
    STDMETHODIMP OnFrameWindowActivate(BOOL active) override {
        calls.push_back(active ? "frame active" : "frame inactive");
        return S_OK;
    }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL enable) override {
        calls.push_back(enable ? "modeless on" : "modeless off");
        return S_OK;
    }

private:
    RecordingActiveObject() = default;
    ~RecordingActiveObject() = default;
};

// Makes `active` the object the host's in-place frame holds, as UI activation would.
void SetActiveObject(TWebHost& host, IOleInPlaceActiveObject* active) {
    ComPtr<IOleInPlaceSite> site = SiteOf(host).As<IOleInPlaceSite>();
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position, clip;
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof info;
    site->GetWindowContext(frame.put(), document.put(), &position, &clip, &info);
    frame->SetActiveObject(active, nullptr);
}

std::string LastItemText(HMENU menu, UINT& id, bool& separatorBefore) {
    int count = GetMenuItemCount(menu);
    id = GetMenuItemID(menu, count - 1);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(count - 2), TRUE, &info);
    separatorBefore = (info.fType & MFT_SEPARATOR) != 0;
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST_F(MainWindow, BothSystemMenusEndInTheAboutItemInTheWindowsLanguage) {
    window_.language = "ger";
    Show();
    for (HWND owner : {Application::Instance().Handle(), window_.Handle()}) {
        UINT id = 0;
        bool separatorBefore = false;
        std::string text = LastItemText(GetSystemMenu(owner, FALSE), id, separatorBefore);
        EXPECT_EQ(text,
                  "\xDC"
                  "ber Velvane...");
        EXPECT_EQ(id, 65535u);
        EXPECT_TRUE(separatorBefore);
    }
    EXPECT_EQ(Application::Instance().Title(), "Probe");
}

// The closing sequence starts at once, however the page asked: a close address, a close address
// meant for a new window, or script's window.close(). (Events raised here by hand pass the guard
// as the event sink passes it.)
TEST_F(MainWindow, CloseAddressesStartTheClosingSequence) {
    struct Case {
        const char* name;
        std::function<bool(TWebHost&)> ask;  // returns the event's Cancel
    };
    Variant none;
    const Case cases[] = {
        {"about:close", [](TWebHost& host) {
             host.Navigate("about:close");
             return true;
         }},
        {"window.close() address", [](TWebHost& host) {
             host.Navigate("JAVASCRIPT:window.close();");
             return true;
         }},
        {"new window for a close address", [](TWebHost& host) {
             bool cancel = false;
             TWebHost::CallScope event(host);
             host.OnNewWindow3(host, cancel, 0, L"", L"about:close");
             return cancel;
         }},
        {"script closes the window", [](TWebHost& host) {
             bool cancel = false;
             TWebHost::CallScope event(host);
             host.OnWindowClosing(host, false, cancel);
             return cancel;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBrowserWindow window{Application::Instance()};
        TAboutBox box(window);
        window.Create();
        box.Create();
        window.SetAboutBox(&box);
        BrowserWindowProbe::SetProgramFolder(window, folder_);
        window.settings.startPage = "index.html";
        BrowserWindowProbe::FormShow(window);
        ShowWindow(window.Handle(), SW_SHOW);
        EXPECT_TRUE(c.ask(*window.browser));
        HWND main = window.Handle();
        EXPECT_TRUE(driver::WaitUntil([main] { return !IsWindowVisible(main); }, kTimeout))
            << "the window did not hide";
        EXPECT_TRUE(IsWindowVisible(box.Handle())) << "no splash strip";
    }
}

// New-window requests never open a window: NewWindow3's page address opens in the menu's own
// browser once the event has returned, and a control that names its addresses so has NewWindow2
// refused.
TEST_F(MainWindow, NewWindowRequestsStayInTheMenu) {
    temp_.Write("other.html", "<p>other</p>");
    Show();
    bool cancel = false;
    std::wstring page(folder_.begin(), folder_.end());
    page += L"other.html";
    window_.browser->OnNewWindow3(*window_.browser, cancel, 0, L"", page);
    EXPECT_TRUE(cancel);
    cancel = false;
    IDispatch* newBrowser = nullptr;
    window_.browser->OnNewWindow2(*window_.browser, &newBrowser, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(newBrowser, nullptr);
    auto location = [this] {
        BSTR url = nullptr;
        window_.browser->DefaultInterface()->get_LocationURL(&url);
        std::wstring where = url ? url : L"";
        SysFreeString(url);
        return where;
    };
    driver::WaitUntil([&] { return location().find(L"other.html") != std::wstring::npos; },
                      kTimeout);
    EXPECT_NE(location().find(L"other.html"), std::wstring::npos) << "the page never opened";
    EXPECT_TRUE(IsWindowVisible(window_.Handle()));
}

TEST_F(MainWindow, AlmostACloseAddressDoesNothing) {
    Show();
    NavigateAndLetTimePass("javascript:window.close()");
    EXPECT_TRUE(IsWindowVisible(window_.Handle()));
}

TEST_F(MainWindow, MusicStopsForEverythingButTheStartPage) {
    window_.settings.stopMusicOnClick = true;
    Show();  // navigates to the start page itself
    NavigateAndLetTimePass(folder_ + "INDEX.HTML");
    EXPECT_TRUE(soundCalls.empty()) << "the start page stopped the music";
    // A frame of the page loading its own document is no click; once the page has completed,
    // a frame's navigation is the user's click in the frame. (The engine-less control raises
    // neither NavigateComplete2 nor DocumentComplete: they are raised here by hand.)
    ComPtr<IDispatch> frame = SiteOf(*window_.browser);
    ASSERT_TRUE(frame);
    Variant url = Variant::FromAnsi(folder_ + "menu.html");
    Variant none;
    auto frameNavigates = [&] {
        bool cancel = false;
        window_.browser->OnBeforeNavigate2(*window_.browser, frame.get(), url.value(),
                                           none.value(), none.value(), none.value(), none.value(),
                                           cancel);
    };
    window_.browser->OnNavigateComplete2(*window_.browser, nullptr, folder_ + "index.html");
    frameNavigates();
    EXPECT_TRUE(soundCalls.empty()) << "a frame loading with its page stopped the music";
    window_.browser->OnDocumentComplete(*window_.browser, nullptr, folder_ + "index.html");
    frameNavigates();
    ASSERT_EQ(soundCalls.size(), 1u) << "a click in a frame left the music playing";
    window_.browser->Navigate(folder_ + "other.html");
    driver::WaitUntil([] { return soundCalls.size() > 1; }, kTimeout);
    ASSERT_EQ(soundCalls.size(), 2u);
    for (const auto& call : soundCalls) {
        EXPECT_EQ(call.sound, "(none)");
        EXPECT_EQ(call.flags, 1u);  // asynchronous: stops whatever plays
    }
}

TEST_F(MainWindow, MusicPlaysOnWhenLinksMayNotStopIt) {
    window_.settings.stopMusicOnClick = false;
    Show();
    NavigateAndLetTimePass(folder_ + "other.html");
    EXPECT_TRUE(soundCalls.empty());
}

TEST_F(MainWindow, IntroMusicPlaysAsynchronouslyOnceOrLooped) {
    temp_.Write("intro.wav", "RIFF");
    window_.settings.introMusic = "intro.wav";
    BrowserWindowProbe::StartIntroMusic(window_);
    window_.settings.loopMusic = true;
    BrowserWindowProbe::StartIntroMusic(window_);
    ASSERT_EQ(soundCalls.size(), 2u);
    EXPECT_EQ(soundCalls[0].sound, folder_ + "intro.wav");
    EXPECT_EQ(soundCalls[0].flags, 0x22003u);  // file name, no wait, no default, asynchronous
    EXPECT_EQ(soundCalls[1].flags, 0x2200Bu);  // and looped
}

TEST_F(MainWindow, AMissingIntroMusicIsSilent) {
    window_.settings.introMusic = "missing.wav";
    window_.settings.loopMusic = true;
    BrowserWindowProbe::StartIntroMusic(window_);
    window_.settings.introMusic = "";  // the program folder itself is no sound file
    BrowserWindowProbe::StartIntroMusic(window_);
    EXPECT_TRUE(soundCalls.empty());
}

// The box names the path the link leads to, whichever form the browser reported it in, and a
// character the ANSI code page lacks shows as "?", never as a look-alike letter that could name
// another file.
// Where the system has no layered windows the window shows opaque at once; the fade's ticks run
// out all the same.
TEST_F(MainWindow, TheFadeInLayersTheWindowOnlyWhereTheSystemCan) {
    for (bool layered : {true, false}) {
        SCOPED_TRACE(layered ? "layered windows" : "no layered windows");
        HWND window = window_.Handle();
        SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
        BrowserWindowProbe::SetLayeredWindows(window_, layered);
        BrowserWindowProbe::StartFadeIn(window_);
        EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0, layered);
        for (int tick = 0; tick < 64; ++tick) BrowserWindowProbe::FadeTimerTimer(window_);
        EXPECT_FALSE(KillTimer(window, 1)) << "the fade's timer still runs";
        if (layered) {
            BYTE alpha = 0;
            EXPECT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr));
            EXPECT_EQ(alpha, 255);
        }
    }
}

TEST_F(MainWindow, AMissingProgramIsReportedAndThePageStays) {
    Show();
    std::wstring folder(folder_.begin(), folder_.end());  // ASCII: the temp folder
    std::wstring fileFolder = L"file:///" + folder;
    for (wchar_t& c : fileFolder) {
        if (c == L'\\') c = L'/';
    }
    struct Case {
        const char* name;
        std::wstring url;
        std::string shown;
        bool throughTheBrowser;
    };
    const Case cases[] = {
        {"plain path", folder + L"setup\\missing.exe", folder_ + "setup\\missing.exe", true},
        {"file URL", fileFolder + L"my%20setup/missing%23%25.exe",
         folder_ + "my setup\\missing#%.exe", false},
        {"UTF-8 escapes", fileFolder + L"%C3%A4/missing.exe", folder_ + "\xE4\\missing.exe", false},
        {"outside the code page", folder + L"\u0141\u00F3d\u017A\\missing.exe",
         folder_ + "?\xF3" "d?\\missing.exe", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::Background reader([] {
            std::optional<driver::MessageBoxInfo> box =
                driver::WaitForMessageBox(GetCurrentProcessId(), 15000);
            if (box) driver::Dismiss(*box, IDCANCEL);
            return box.value_or(driver::MessageBoxInfo{});
        });
        if (c.throughTheBrowser) {
            // The event comes while this thread pumps messages; the box is modal, so the wait
            // ends once the reader has dismissed it.
            window_.browser->Navigate(std::string(c.url.begin(), c.url.end()));
            driver::WaitUntil([&] { return reader.Ready(); }, 20000);
        } else {
            // Wine's control reports every local address as a plain path: the forms other
            // browsers report go to the handler directly.
            Variant url;
            V_VT(url.get()) = VT_BSTR;
            V_BSTR(url.get()) = SysAllocString(c.url.c_str());
            Variant none;
            bool cancel = false;
            window_.browser->OnBeforeNavigate2(*window_.browser, nullptr, url.value(),
                                               none.value(), none.value(), none.value(),
                                               none.value(), cancel);
            EXPECT_TRUE(cancel);
        }
        driver::MessageBoxInfo box = reader.Get();
        EXPECT_EQ(box.title, "Error");
        EXPECT_EQ(box.text, "The executable file \"" + c.shown + "\" cannot be found.");
        EXPECT_TRUE(IsWindowVisible(window_.Handle()));
    }
}

// While message 12 is up: the main window owns the box and is disabled, the browser's modeless
// UI is off, a close request hides the window but its end waits until the event returned (the
// browser and its host live on through the event), and a second click shows no second box.
MainWindow* duringReport = nullptr;
std::string secondTarget;

void CALLBACK ActUnderTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostMessageA(duringReport->window_.Handle(), WM_CLOSE, 0, 0);
    Variant url = Variant::FromAnsi(secondTarget);
    Variant none;
    bool cancel = false;
    TWebHost::CallScope event(*duringReport->window_.browser);
    duringReport->window_.browser->OnBeforeNavigate2(*duringReport->window_.browser, nullptr,
                                                     url.value(), none.value(), none.value(),
                                                     none.value(), none.value(), cancel);
    EXPECT_TRUE(cancel);
}

BOOL CALLBACK CountVisibleBoxes(HWND window, LPARAM count) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (pid == GetCurrentProcessId() && IsWindowVisible(window) && std::string(name) == "#32770")
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(MainWindow, TheReportHoldsTheWindowAndAClosingWaitsForTheEvent) {
    Show();
    ComPtr<RecordingActiveObject> active = RecordingActiveObject::Create();
    SetActiveObject(*window_.browser, active.get());
    duringReport = this;
    secondTarget = folder_ + "second\\missing.exe";
    HWND main = window_.Handle();
    struct Seen {
        HWND owner = nullptr;
        bool mainEnabled = true;
        int boxes = 0;
        bool mainVisible = false;
    };
    testsupport::Background reader([main] {
        Seen seen;
        std::optional<driver::MessageBoxInfo> box =
            driver::WaitForMessageBox(GetCurrentProcessId(), 15000);
        if (!box) return seen;
        seen.owner = GetWindow(box->hwnd, GW_OWNER);
        seen.mainEnabled = IsWindowEnabled(main);
        Sleep(1000);  // the close request and the second click arrive, the splash timer could tick
        EnumWindows(&CountVisibleBoxes, reinterpret_cast<LPARAM>(&seen.boxes));
        seen.mainVisible = IsWindowVisible(main);
        driver::Dismiss(*box, IDCANCEL);
        return seen;
    });
    SetTimer(nullptr, 0, 300, &ActUnderTheBox);
    Variant url = Variant::FromAnsi(folder_ + "first\\missing.exe");
    Variant none;
    bool cancel = false;
    {
        TWebHost::CallScope event(*window_.browser);
        window_.browser->OnBeforeNavigate2(*window_.browser, nullptr, url.value(), none.value(),
                                           none.value(), none.value(), none.value(), cancel);
    }
    Seen seen = reader.Get();
    EXPECT_EQ(seen.owner, main);
    EXPECT_FALSE(seen.mainEnabled);
    EXPECT_EQ(seen.boxes, 1);
    EXPECT_FALSE(seen.mainVisible) << "the close request did not start the closing sequence";
    ASSERT_TRUE(window_.browser) << "the browser was torn down inside its event";
    EXPECT_TRUE(IsWindowEnabled(main));
    std::vector<std::string> modeless;
    for (const std::string& call : active->calls) {
        if (call.rfind("modeless", 0) == 0) modeless.push_back(call);
    }
    EXPECT_EQ(modeless, (std::vector<std::string>{"modeless off", "modeless on"}));
    EXPECT_TRUE(driver::WaitUntil([main] { return !IsWindowVisible(main); }, kTimeout))
        << "the close request was lost";
    SetActiveObject(*window_.browser, nullptr);
}

// Activating the window tells the browser and puts the focus into the page.
TEST_F(MainWindow, ActivationReachesThePage) {
    Show();
    HWND host = window_.browser->Handle();
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == host || IsChild(host, focus)) << "not in the page after showing";
    ComPtr<RecordingActiveObject> active = RecordingActiveObject::Create();
    SetActiveObject(*window_.browser, active.get());
    SendMessageA(window_.Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(window_.Handle());
    SendMessageA(window_.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    focus = GetFocus();
    EXPECT_TRUE(focus == host || IsChild(host, focus)) << "not in the page after activation";
    ASSERT_GE(active->calls.size(), 2u);
    EXPECT_EQ(active->calls[0], "frame inactive");
    EXPECT_EQ(active->calls[1], "frame active");
    SetActiveObject(*window_.browser, nullptr);
}

TEST_F(MainWindow, TheContextMenuFollowsItsSetting) {
    Show();
    EXPECT_EQ(window_.browser->OnShowContextMenu(0, nullptr, nullptr, nullptr), S_FALSE);
    window_.settings.hideContextMenu = true;
    EXPECT_EQ(window_.browser->OnShowContextMenu(0, nullptr, nullptr, nullptr), S_OK);
}

}  // namespace
}  // namespace velvane
