// The main window in this process, driven through its own browser: the about items, the close
// addresses, the music rule and the report of a missing program.

#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "app/application_win.h"
#include "driver/driver.h"
#include "splash/about_box_win.h"
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

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder =
        std::string(temp) + "velvane-window-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void WriteFileText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// A main window as start-up leaves it, with a start page on disc, shown by FormShow.
class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        static bool applicationReady = [] {
            Application::Instance().Initialize();
            return true;
        }();
        ASSERT_TRUE(applicationReady);
        folder_ = TempFolder();
        WriteFileText(folder_ + "index.html", "<p>start</p>");
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
        driver::Pause(200);
    }

    void NavigateAndPump(const std::string& url) {
        window_.browser->Navigate(url);
        driver::Pause(300);
    }

    std::string folder_;
    TBrowserWindow window_;
    TAboutBox aboutBox_{window_};
};

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

TEST_F(MainWindow, CloseAddressesStartTheClosingSequence) {
    for (const char* address : {"about:close", "JAVASCRIPT:window.close();"}) {
        SCOPED_TRACE(address);
        TBrowserWindow window;
        TAboutBox box(window);
        window.Create();
        box.Create();
        window.SetAboutBox(&box);
        BrowserWindowProbe::SetProgramFolder(window, folder_);
        window.settings.startPage = "index.html";
        BrowserWindowProbe::FormShow(window);
        ShowWindow(window.Handle(), SW_SHOW);
        window.browser->Navigate(address);
        driver::Pause(300);
        EXPECT_FALSE(IsWindowVisible(window.Handle())) << "the window did not hide";
        EXPECT_TRUE(IsWindowVisible(box.Handle())) << "no splash strip";
    }
}

TEST_F(MainWindow, AlmostACloseAddressDoesNothing) {
    Show();
    NavigateAndPump("javascript:window.close()");
    EXPECT_TRUE(IsWindowVisible(window_.Handle()));
}

TEST_F(MainWindow, MusicStopsForEverythingButTheStartPage) {
    window_.settings.stopMusicOnClick = true;
    Show();  // navigates to the start page itself
    NavigateAndPump(folder_ + "INDEX.HTML");
    EXPECT_TRUE(soundCalls.empty()) << "the start page stopped the music";
    NavigateAndPump(folder_ + "other.html");
    ASSERT_EQ(soundCalls.size(), 1u);
    EXPECT_EQ(soundCalls[0].sound, "(none)");
    EXPECT_EQ(soundCalls[0].flags, 1u);  // asynchronous: stops whatever plays
}

TEST_F(MainWindow, MusicPlaysOnWhenLinksMayNotStopIt) {
    window_.settings.stopMusicOnClick = false;
    Show();
    NavigateAndPump(folder_ + "other.html");
    EXPECT_TRUE(soundCalls.empty());
}

TEST_F(MainWindow, IntroMusicPlaysAsynchronouslyOnceOrLooped) {
    WriteFileText(folder_ + "intro.wav", "RIFF");
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
        auto reader = std::async(std::launch::async, [] {
            std::optional<driver::MessageBoxInfo> box =
                driver::WaitForMessageBox(GetCurrentProcessId(), 15000);
            if (box) driver::Dismiss(*box, IDCANCEL);
            return box.value_or(driver::MessageBoxInfo{});
        });
        if (c.throughTheBrowser) {
            NavigateAndPump(std::string(c.url.begin(), c.url.end()));
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
        driver::MessageBoxInfo box = reader.get();
        EXPECT_EQ(box.title, "Error");
        EXPECT_EQ(box.text, "The executable file \"" + c.shown + "\" cannot be found.");
        EXPECT_TRUE(IsWindowVisible(window_.Handle()));
    }
}

TEST_F(MainWindow, TheContextMenuFollowsItsSetting) {
    Show();
    EXPECT_EQ(window_.browser->OnShowContextMenu(0, nullptr, nullptr, nullptr), S_FALSE);
    window_.settings.hideContextMenu = true;
    EXPECT_EQ(window_.browser->OnShowContextMenu(0, nullptr, nullptr, nullptr), S_OK);
}

}  // namespace
}  // namespace velvane
