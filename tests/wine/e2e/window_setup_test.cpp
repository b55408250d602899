// The main window as the launch settings shape it, read from outside.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "case_name.h"
#include "driver/driver.h"
#include "support/bitmap_file.h"
#include "e2e/program_runs.h"
#include "e2e/sample_disc.h"

namespace velvane::e2e {
namespace {

// The settings section of a sample disc: the start page every disc has, then `lines`.
std::string Settings(const std::string& lines) {
    return "[velvane]\r\nstartpage=index.html\r\n" + lines;
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

TEST(WindowSetup, DefaultsGiveASizeable400By300WindowInTheCentre) {
    SampleDisc disc;
    disc.Write("autorun.inf",
               "[autorun]\r\nopen=autostart.exe\r\n[velvane]\r\nstartpage=index.html\r\n");
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    const driver::WindowInfo& w = program->window;
    EXPECT_EQ(Width(w.rect), 400);
    EXPECT_EQ(Height(w.rect), 300);
    EXPECT_EQ(w.rect.left, (ScreenWidth() - 400) / 2);
    EXPECT_EQ(w.rect.top, (ScreenHeight() - 300) / 2);
    EXPECT_TRUE(w.style & WS_THICKFRAME);
    EXPECT_TRUE((w.style & WS_CAPTION) == WS_CAPTION);
    EXPECT_EQ(w.text, "Autostart");
    CloseAndExpectExit(*program);
}

TEST(WindowSetup, TwoNumbersPlaceTheWindow) {
    SampleDisc disc;
    disc.Write("autorun.inf", Settings("windowposition=100,50\r\nwindowwidth=0x1F4\r\n"));
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    EXPECT_EQ(program->window.rect.left, 100);
    EXPECT_EQ(program->window.rect.top, 50);
    EXPECT_EQ(Width(program->window.rect), 500);
    CloseAndExpectExit(*program);
}

TEST(WindowSetup, UnusablePositionsStopWithMessage8) {
    for (const char* position : {"Center", "100", "100,fifty", ""}) {
        SCOPED_TRACE(position);
        SampleDisc disc;
        disc.Write("autorun.inf", Settings(std::string("windowposition=") + position + "\r\n"));
        ExpectStopsWithError(disc, "Window position is invalid.");
    }
}

struct FrameCase {
    const char* borderStyle;
    bool caption;
    bool sizeable;
    bool boxes;  // minimise and maximise
};

TEST(WindowSetup, BorderStyleWordsGiveTheirFrames) {
    const FrameCase cases[] = {
        {"dialog", true, false, false}, {"Dialog", true, true, true},  {"window", true, true, true},
        {"anything", true, true, true}, {"none", false, false, false},
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE(c.borderStyle);
        SampleDisc disc;
        disc.Write("autorun.inf", Settings(std::string("borderstyle=") + c.borderStyle + "\r\n"));
        std::optional<RunningProgram> program = StartUntilMainWindow(disc);
        ASSERT_TRUE(program);
        LONG style = program->window.style;
        EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, c.caption);
        EXPECT_EQ((style & WS_THICKFRAME) != 0, c.sizeable);
        EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, c.boxes);
        if (!c.caption) {
            EXPECT_FALSE(style & (WS_BORDER | WS_DLGFRAME));
            RECT client = program->window.clientRect;
            EXPECT_EQ(Width(client), Width(program->window.rect)) << "no frame around the client";
        }
        CloseAndExpectExit(*program);
    }
}

TEST(WindowSetup, FullScreenMaximises) {
    SampleDisc disc;
    disc.Write("autorun.inf", Settings("fullscreen=1\r\n"));
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    EXPECT_TRUE(IsZoomed(program->window.hwnd));
    CloseAndExpectExit(*program);
}

TEST(WindowSetup, MissingSkinKeepsTheDesignedFrameAndSize) {
    SampleDisc disc;
    disc.Write("autorun.inf", Settings("skin=art\\missing.bmp\r\nborderstyle=none\r\n"
                                       "windowwidth=640\r\nwindowheight=480\r\n"));
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    const driver::WindowInfo& w = program->window;
    EXPECT_EQ(Width(w.rect), 341);
    EXPECT_EQ(Height(w.rect), 262);
    EXPECT_EQ(w.rect.left, (ScreenWidth() - 341) / 2);
    EXPECT_EQ(w.rect.top, (ScreenHeight() - 262) / 2);
    EXPECT_TRUE(w.style & WS_THICKFRAME);
    CloseAndExpectExit(*program);
}

struct ShadowCase {
    const char* release;  // as Wine names it
    const char* programName;
    const char* dropShadow;
    bool shadow;
};

// The drop shadow is a class style, and only XP and Server 2003 get it.
TEST(WindowSetup, DropShadowOnlyWhereTheReleaseDrawsIt) {
    const ShadowCase cases[] = {
        {"winxp", "shadow-xp.exe", "1", true},
        {"winxp", "shadow-xp-off.exe", "0", false},
        {"win2k", "shadow-2k.exe", "1", false},
        {"win7", "shadow-7.exe", "1", false},
    };
    for (const ShadowCase& c : cases) {
        SCOPED_TRACE(c.programName);
        driver::PretendedRelease release(c.programName, c.release);
        SampleDisc disc(c.programName);
        disc.Write("autorun.inf", Settings(std::string("dropshadow=") + c.dropShadow +
                                           "\r\n"
                                           "windowposition=10,20\r\nwindowcaption=Shadow\r\n"));
        std::optional<RunningProgram> program = StartUntilMainWindow(disc);
        ASSERT_TRUE(program);
        EXPECT_EQ((program->window.classStyle & CS_DROPSHADOW) != 0, c.shadow);
        // The window made anew keeps everything the setup gave it.
        EXPECT_EQ(program->window.rect.left, 10);
        EXPECT_EQ(program->window.rect.top, 20);
        EXPECT_EQ(program->window.text, "Shadow");
        CloseAndExpectExit(*program);
    }
}

// Requirement libraries record their calls in requirement-calls.txt beside themselves.
TEST(Requirements, EveryLibraryIsAskedInOrderAndTheAlternativePageSteppedIn) {
    SampleDisc disc;
    disc.CopyFromBuild("requirement_unfulfilled.dll", "check1.dll");
    disc.CopyFromBuild("requirement_fulfilled.dll", "check2.dll");
    disc.Write("sorry.html", "<p>sorry</p>");
    disc.Write("autorun.inf", Settings("requirements=check1,check2\r\naltstartpage=sorry.html\r\n"
                                       "startpage=index.html\r\n"));
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    EXPECT_EQ(disc.Read("requirement-calls.txt"), "check1.dll window\r\ncheck2.dll window\r\n");
    CloseAndExpectExit(*program);
}

TEST(Requirements, UnfulfilledWithoutAlternativePageStopsWithMessage7) {
    SampleDisc disc;
    disc.CopyFromBuild("requirement_unfulfilled.dll", "check1.dll");
    disc.CopyFromBuild("requirement_fulfilled.dll", "check2.dll");
    disc.Write("autorun.inf", Settings("requirements=check1,check2\r\n"));
    ExpectStopsWithError(disc,
                         "For displaying the contents certain requirements have to be fulfilled.\r"
                         "These requirements are not fulfilled. Therefore contents cannot be "
                         "displayed.");
    EXPECT_EQ(disc.Read("requirement-calls.txt"), "check1.dll window\r\ncheck2.dll window\r\n");
}

// A library that faults inside its check is a library that says no: the next one is still asked,
// and the alternative page steps in, or message 7 ends the run, as for any unfulfilled
// requirement. No crash report, no process left behind.
TEST(Requirements, AFaultingLibraryCountsAsUnfulfilledAndTheMenuGoesOn) {
    for (bool alternativePage : {true, false}) {
        SCOPED_TRACE(alternativePage ? "with an alternative page" : "without one");
        SampleDisc disc;
        disc.CopyFromBuild("requirement_faulting.dll", "check1.dll");
        disc.CopyFromBuild("requirement_fulfilled.dll", "check2.dll");
        disc.Write("sorry.html", "<p>sorry</p>");
        const std::string alternative = alternativePage ? "altstartpage=sorry.html\r\n" : "";
        disc.Write("autorun.inf", Settings("requirements=check1,check2\r\n" + alternative));
        if (alternativePage) {
            std::optional<RunningProgram> program = StartUntilMainWindow(disc);
            ASSERT_TRUE(program);
            CloseAndExpectExit(*program);
        } else {
            ExpectStopsWithError(disc,
                                 "For displaying the contents certain requirements have to be "
                                 "fulfilled.\rThese requirements are not fulfilled. Therefore "
                                 "contents cannot be displayed.");
        }
        EXPECT_EQ(disc.Read("requirement-calls.txt"), "check1.dll window\r\ncheck2.dll window\r\n");
    }
}

TEST(Requirements, MissingLibraryIsReportedAndCountsAsFulfilled) {
    SampleDisc disc;
    disc.Write("autorun.inf", Settings("requirements=checks\\gone\r\n"));
    driver::Process program = disc.Start();
    std::optional<driver::MessageBoxInfo> box =
        driver::WaitForMessageBox(program.Id(), kWindowTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Error on loading DLL file \"" + disc.Folder() + "checks\\gone.dll\".");
    driver::Dismiss(*box, IDCANCEL);
    EXPECT_TRUE(driver::WaitForWindowOfClass(program.Id(), "TBrowserWindow", kWindowTimeout));
}

// A requirement library that cannot be used: message 2 with its path, then, as the entry counts
// as unfulfilled and there is no alternative page, message 7 and the end.
void ExpectUnusableLibrary(const SampleDisc& disc, const std::string& entry,
                           const std::string& path) {
    disc.Write("autorun.inf", Settings("requirements=" + entry + "\r\n"));
    driver::Process program = disc.Start();
    std::optional<driver::MessageBoxInfo> box =
        driver::WaitForMessageBox(program.Id(), kWindowTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Error on loading DLL file \"" + disc.Folder() + path + "\".");
    driver::Dismiss(*box, IDCANCEL);
    driver::Pause(300);
    box = driver::WaitForMessageBox(program.Id(), kWindowTimeout);
    ASSERT_TRUE(box) << "the library must count as unfulfilled";
    EXPECT_EQ(box->text.substr(0, 30), "For displaying the contents ce");
    driver::Dismiss(*box, IDCANCEL);
    EXPECT_EQ(program.WaitForExit(kExitTimeout), std::optional<DWORD>(0));
}

TEST(Requirements, LibraryWithoutTheExportIsReportedAndCountsAsUnfulfilled) {
    SampleDisc disc;
    disc.CopyFromBuild("requirement_without_export.dll", "odd.dll");
    ExpectUnusableLibrary(disc, "odd.dll", "odd.dll");
    EXPECT_EQ(disc.Read("requirement-calls.txt"), "");
}

TEST(Toolbar, EqualBitmapsGiveEqualButtonsSevenWiderAndSixTaller) {
    SampleDisc disc;
    disc.Write("buttons\\exit.bmp", PlainBitmap(24, 24));
    disc.Write("buttons\\print.bmp", PlainBitmap(24, 24, 0xCC3333));
    disc.Write("autorun.inf", Settings("toolbar=exit,print\r\n"));
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    HWND toolBar = ToolBarOf(program->window.hwnd);
    ASSERT_TRUE(toolBar);
    EXPECT_TRUE(IsWindowVisible(toolBar));
    EXPECT_EQ(SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0), 2);
    LRESULT size = SendMessageA(toolBar, TB_GETBUTTONSIZE, 0, 0);
    EXPECT_EQ(LOWORD(size), 31);
    EXPECT_EQ(HIWORD(size), 30);
    CloseAndExpectExit(*program);
}

TEST(Toolbar, NoToolbarSettingLeavesTheBarHidden) {
    SampleDisc disc;
    disc.Write("autorun.inf", Settings(""));
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    HWND toolBar = ToolBarOf(program->window.hwnd);
    EXPECT_TRUE(!toolBar || !IsWindowVisible(toolBar));
    CloseAndExpectExit(*program);
}

TEST(Toolbar, UnequalBitmapsStopWithMessage17AfterTheFirstButton) {
    SampleDisc disc;
    disc.Write("buttons\\exit.bmp", PlainBitmap(24, 24));
    disc.Write("buttons\\print.bmp", PlainBitmap(32, 24));
    disc.Write("autorun.inf", Settings("toolbar=exit,print\r\n"));
    driver::Process program = disc.Start();
    std::optional<driver::MessageBoxInfo> box =
        driver::WaitForMessageBox(program.Id(), kWindowTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "The button bitmaps of the toolbar do not all have the same size.");
    std::optional<driver::WindowInfo> main =
        driver::WaitForWindowOfClass(program.Id(), "TBrowserWindow", 1000, false);
    ASSERT_TRUE(main);
    EXPECT_FALSE(main->visible);
    EXPECT_EQ(SendMessageA(ToolBarOf(main->hwnd), TB_BUTTONCOUNT, 0, 0), 1);
    driver::Dismiss(*box, IDCANCEL);
    EXPECT_EQ(program.WaitForExit(kExitTimeout), std::optional<DWORD>(0));
}

TEST(Toolbar, MissingBitmapStopsWithMessage9AndItsPath) {
    SampleDisc disc;
    disc.Write("buttons\\exit.bmp", PlainBitmap(24, 24));
    disc.Write("buttons\\print.bmp", PlainBitmap(24, 24));
    disc.Write("autorun.inf", Settings("toolbar=exit,,print\r\n"));
    ExpectStopsWithError(
        disc, "Button bitmap file \"" + disc.Folder() + "buttons\\.bmp\" cannot be found.");
}

TEST(Toolbar, UnreadableBitmapEndsStartUpWithTheApplicationErrorBox) {
    SampleDisc disc;
    disc.Write("art\\exit.bmp", "not a bitmap at all");
    disc.Write("autorun.inf", Settings("toolbar=exit\r\nbuttondir=art\r\n"));
    ExpectStopsWithError(disc,
                         "velvane::ApplicationError: Bitmap image is not valid: " + disc.Folder() +
                             "art\\exit.bmp (not a bitmap file)",
                         "Anwendungsfehler", 1);
}

}  // namespace
}  // namespace velvane::e2e

namespace velvane::e2e {
namespace {

// The fade-in runs on the program's timer; only its end is certain from outside.
TEST(FadeIn, EndsFullyOpaqueOnALayeredWindow) {
    SampleDisc disc;
    disc.Write("autorun.inf", Settings("fadein=1\r\n"));
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    HWND window = program->window.hwnd;
    BYTE alpha = 0;
    DWORD flags = 0;
    for (int i = 0; i < 100 && alpha != 255; ++i) {
        GetLayeredWindowAttributes(window, nullptr, &alpha, &flags);
        driver::Pause(50);
    }
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(alpha, 255);
    EXPECT_TRUE(flags & LWA_ALPHA);
    CloseAndExpectExit(*program);
}

TEST(FadeIn, WithoutItTheWindowIsNotLayered) {
    SampleDisc disc;
    disc.Write("autorun.inf", Settings("fadein=0\r\n"));
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    EXPECT_FALSE(program->window.exStyle & WS_EX_LAYERED);
    CloseAndExpectExit(*program);
}

}  // namespace
}  // namespace velvane::e2e

namespace velvane::e2e {
namespace {

// Bitmap files that exist but are no readable pictures.
struct BrokenPicture {
    const char* name;
    std::string content;
};

std::string HugeBitmapHeader() {
    // A 24-bit header claiming 100000 x 100000 pixels, followed by a few bytes of them.
    std::string bitmap = PlainBitmap(2, 2);
    testsupport::PutLittleEndian(bitmap, 18, 100000);
    testsupport::PutLittleEndian(bitmap, 22, 100000);
    return bitmap;
}

const BrokenPicture kBrokenPictures[] = {
    {"Truncated", PlainBitmap(24, 24).substr(0, 70)},
    {"ZeroBytes", ""},
    {"TextFile", "This is not a bitmap, only a text file named .bmp\r\n"},
    {"HugeHeader", HugeBitmapHeader()},
};

class BrokenPictures : public testing::TestWithParam<BrokenPicture> {};

// Never a crash, a hang or an attempt at gigabytes: the start-up error box and exit code 1.
TEST_P(BrokenPictures, EndStartUpWithTheApplicationErrorBox) {
    for (const char* use : {"skin=art\\exit.bmp", "toolbar=exit\r\nbuttondir=art"}) {
        SCOPED_TRACE(use);
        SampleDisc disc;
        disc.Write("art\\exit.bmp", GetParam().content);
        disc.Write("autorun.inf", Settings(std::string(use) + "\r\n"));
        driver::Process program = disc.Start();
        std::optional<driver::MessageBoxInfo> box =
            driver::WaitForMessageBox(program.Id(), kWindowTimeout);
        ASSERT_TRUE(box) << "no box";
        EXPECT_EQ(box->title, "Anwendungsfehler");
        EXPECT_FALSE(MainWindowVisible(program.Id()));
        driver::Dismiss(*box, IDOK);
        EXPECT_EQ(program.WaitForExit(kExitTimeout), std::optional<DWORD>(1));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenPictures, testing::ValuesIn(kBrokenPictures), CaseName());

TEST(Requirements, AFileThatIsNoLibraryIsReportedAndCountsAsUnfulfilled) {
    SampleDisc disc;
    disc.Write("checks\\fake.dll", "MZ but nothing a loader could use");
    ExpectUnusableLibrary(disc, "checks\\fake", "checks\\fake.dll");
}

}  // namespace
}  // namespace velvane::e2e
