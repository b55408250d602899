// The start page: the browser host in the main window, the about items, the caption, and the
// ways the start page reaches the default browser instead.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "driver/driver.h"
#include "runs_alone.h"
#include "support/bitmap_file.h"
#include "e2e/program_runs.h"
#include "e2e/sample_disc.h"

namespace velvane::e2e {
namespace {

HWND HostOf(HWND mainWindow) {
    return FindWindowExA(mainWindow, nullptr, "TWebHost", nullptr);
}

RECT RectInParent(HWND child, HWND parent) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(StartPage, TheBrowserFillsTheClientAreaUnderTheToolBar) {
    SampleDisc disc;
    disc.Write("buttons\\exit.bmp", PlainBitmap(24, 24));
    disc.Write("autorun.inf",
               "[velvane]\r\nstartpage=index.html\r\nwindowcaption=Disc Menu\r\ntoolbar=exit\r\n"
               "skinposition=20,40,600,400\r\n");  // ignored without a skin
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    HWND main = program->window.hwnd;
    HWND host = HostOf(main);
    ASSERT_TRUE(host) << "no browser host in the main window";
    HWND toolBar = FindWindowExA(main, nullptr, "ToolbarWindow32", nullptr);
    RECT bar = RectInParent(toolBar, main);
    RECT area = RectInParent(host, main);
    RECT client;
    GetClientRect(main, &client);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, bar.bottom);
    EXPECT_EQ(area.right, client.right);
    EXPECT_EQ(area.bottom, client.bottom);
    // Caption and task-bar title both follow the settings.
    EXPECT_EQ(program->window.text, "Disc Menu");
    std::optional<driver::WindowInfo> application =
        driver::ApplicationWindow(program->process.Id());
    ASSERT_TRUE(application);
    EXPECT_EQ(application->text, "Disc Menu");
    CloseAndExpectExit(*program);
}

TEST(StartPage, ASkinPlacesTheBrowserBySkinPosition) {
    SampleDisc disc;
    disc.Write("frame.bmp", PlainBitmap(700, 500, 0x405070));
    disc.Write("autorun.inf",
               "[velvane]\r\nstartpage=index.html\r\nskin=frame.bmp\r\n"
               "skinposition=20,40,600,400\r\n");
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    HWND host = HostOf(program->window.hwnd);
    ASSERT_TRUE(host);
    RECT area = RectInParent(host, program->window.hwnd);
    EXPECT_EQ(area.left, 20);
    EXPECT_EQ(area.top, 40);
    EXPECT_EQ(area.right - area.left, 600);
    EXPECT_EQ(area.bottom - area.top, 400);
    CloseAndExpectExit(*program);
}

TEST(StartPage, AMissingStartPageIsReportedWithItsFullPath) {
    SampleDisc disc;
    disc.Write("autorun.inf", "[velvane]\r\nstartpage=pages\\welcome.html\r\n");
    ExpectStopsWithError(disc,
                         "No start page is declared (attribute \"startpage\" in "
                         "\"autorun.inf\") or the start page \"" +
                             disc.Folder() + "pages\\welcome.html\" cannot be found.");
}

// The shell hands documents of a test extension to the launch recorder, which notes them in
// launches.txt beside itself.
struct RecordedShell {
    RecordedShell(const SampleDisc& disc, const std::string& extension)
        : association(extension, disc.Folder() + "recorder\\recorder.exe") {}
    driver::DocumentAssociation association;
};

TEST(StartPage, AnUnusableSkinPositionHandsTheStartPageToTheDefaultBrowser) {
    SampleDisc disc;
    disc.CopyFromBuild("launch_recorder.exe", "recorder\\recorder.exe");
    RecordedShell shell(disc, ".vlvpos");
    disc.Write("start.vlvpos", "<p>start</p>");
    disc.Write("frame.bmp", PlainBitmap(300, 200));
    disc.Write("autorun.inf",
               "[velvane]\r\nstartpage=start.vlvpos\r\nskin=frame.bmp\r\n"
               "skinposition=20,40,600\r\nfadein=1\r\n");
    ExpectStopsWithError(disc,
                         "Internet-Explorer (version 4.0 or higher) is not installed correctly.\r"
                         "The default browser is used for displaying the contents.",
                         "Information");
    std::string launches = driver::WaitForLines(disc.Folder() + "recorder\\launches.txt", 1, 10000);
    EXPECT_NE(launches.find(disc.Folder() + "start.vlvpos"), std::string::npos) << launches;
}

// Closing tears the browser host down; twenty runs in a row must all end cleanly.
TEST(StartPage, TwentyRunsOpenAndCloseCleanly) {
    SampleDisc disc;
    disc.Write("autorun.inf", "[velvane]\r\nstartpage=index.html\r\n");
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(run);
        std::optional<RunningProgram> program = StartUntilMainWindow(disc);
        ASSERT_TRUE(program);
        ASSERT_TRUE(HostOf(program->window.hwnd));
        CloseAndExpectExit(*program);
    }
}

}  // namespace
}  // namespace velvane::e2e

namespace velvane::e2e {
namespace {

// Puts another file in place of one in the system folder for as long as the object lives.
class ReplacedSystemFile {
public:
    ReplacedSystemFile(const std::string& name, const std::string& replacement) {
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, MAX_PATH);
        path_ = std::string(system) + "\\" + name;
        backup_ = path_ + ".velvane-backup";
        MoveFileExA(path_.c_str(), backup_.c_str(), MOVEFILE_REPLACE_EXISTING);
        CopyFileA(replacement.c_str(), path_.c_str(), FALSE);
    }
    ~ReplacedSystemFile() {
        MoveFileExA(backup_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    ReplacedSystemFile(const ReplacedSystemFile&) = delete;
    ReplacedSystemFile& operator=(const ReplacedSystemFile&) = delete;

private:
    std::string path_;
    std::string backup_;
};

// The program reads the version of the system folder's WebBrowser library. Wine answers that
// from its built-in copy unless the program loads the library natively: so the file is replaced
// and this one program told to take it. The file is shared by the whole prefix, so the test list
// runs this test alone.
TEST(OldBrowser, StartPageGoesToTheDefaultBrowserWithMessage6) {
    VELVANE_RUNS_ALONE();
    ReplacedSystemFile oldBrowser("shdocvw.dll", BuildFolder() + "old_browser_version.dll");
    driver::NativeDllOverride nativeLibrary("oldbrowser.exe", "shdocvw");
    SampleDisc disc("oldbrowser.exe");
    disc.CopyFromBuild("launch_recorder.exe", "recorder\\recorder.exe");
    RecordedShell shell(disc, ".vlvold");
    disc.Write("start.vlvold", "<p>start</p>");
    disc.Write("autorun.inf", "[velvane]\r\nstartpage=start.vlvold\r\nfadein=1\r\n");
    ExpectStopsWithError(disc,
                         "Internet-Explorer (version 4.0 or higher) is not installed correctly.\r"
                         "The default browser is used for displaying the contents.",
                         "Information");
    std::string launches = driver::WaitForLines(disc.Folder() + "recorder\\launches.txt", 1, 10000);
    EXPECT_NE(launches.find(disc.Folder() + "start.vlvold"), std::string::npos) << launches;
}

}  // namespace
}  // namespace velvane::e2e
