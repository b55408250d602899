// The main window as the launch settings shape it, read from outside.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "case_name.h"
#include "driver/driver.h"
#include "driver/driver_more.h"
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

// One row of the window setup: the settings, and what the window shows for them from outside.
// A check left at its default is not made.
struct Frame {
    bool caption;
    bool sizeable;
    bool boxes;  // minimise and maximise
};

struct SetupCase {
    const char* name = nullptr;
    std::string lines{};             // the settings after the start page
    const char* release = nullptr;   // a Windows release for Wine to pretend, as winecfg names it
    int width = 0;                   // outer size; 0: not checked
    int height = 0;
    bool centred = false;            // on the screen; else at `topLeft` when given
    std::optional<POINT> topLeft{};
    std::optional<Frame> frame{};
    const char* caption = nullptr;
    bool maximised = false;
    std::optional<bool> dropShadow{};  // the class style; only XP and Server 2003 draw it
    const char* stopsWith = nullptr; // the error box that ends start-up instead of a window
};

const std::string kShadowLines = "windowposition=10,20\r\nwindowcaption=Shadow\r\n";
const char kBadPosition[] = "Window position is invalid.";

const SetupCase kSetupCases[] = {
    {.name = "Defaults", .lines = "", .width = 400, .height = 300, .centred = true,
     .frame = Frame{true, true, true}, .caption = "Autostart"},
    {.name = "TwoNumbersPlaceTheWindow", .lines = "windowposition=100,50\r\nwindowwidth=0x1F4\r\n",
     .width = 500, .topLeft = POINT{100, 50}},
    {.name = "PositionWord", .lines = "windowposition=Center\r\n", .stopsWith = kBadPosition},
    {.name = "PositionOneNumber", .lines = "windowposition=100\r\n", .stopsWith = kBadPosition},
    {.name = "PositionNotANumber", .lines = "windowposition=100,fifty\r\n", .stopsWith = kBadPosition},
    {.name = "PositionEmpty", .lines = "windowposition=\r\n", .stopsWith = kBadPosition},
    {.name = "BorderDialog", .lines = "borderstyle=dialog\r\n", .frame = Frame{true, false, false}},
    // Only the exact word: "Dialog" is no known word and gives the default frame.
    {.name = "BorderDialogCapitalised", .lines = "borderstyle=Dialog\r\n", .frame = Frame{true, true, true}},
    {.name = "BorderWindow", .lines = "borderstyle=window\r\n", .frame = Frame{true, true, true}},
    {.name = "BorderUnknownWord", .lines = "borderstyle=anything\r\n", .frame = Frame{true, true, true}},
    {.name = "BorderNone", .lines = "borderstyle=none\r\n", .frame = Frame{false, false, false}},
    {.name = "FullScreenMaximises", .lines = "fullscreen=1\r\n", .maximised = true},
    // A missing skin keeps the designed frame and size, not the settings' own.
    {.name = "MissingSkin",
     .lines = "skin=art\\missing.bmp\r\nborderstyle=none\r\nwindowwidth=640\r\nwindowheight=480\r\n",
     .width = 341, .height = 262, .centred = true, .frame = Frame{true, true, true}},
    // The window made anew for the drop shadow keeps everything the setup gave it.
    {.name = "DropShadowOnXP", .lines = "dropshadow=1\r\n" + kShadowLines, .release = "winxp",
     .topLeft = POINT{10, 20}, .caption = "Shadow", .dropShadow = true},
    {.name = "DropShadowOffOnXP", .lines = "dropshadow=0\r\n" + kShadowLines, .release = "winxp",
     .topLeft = POINT{10, 20}, .caption = "Shadow", .dropShadow = false},
    {.name = "DropShadowOn2000", .lines = "dropshadow=1\r\n" + kShadowLines, .release = "win2k",
     .topLeft = POINT{10, 20}, .caption = "Shadow", .dropShadow = false},
    {.name = "DropShadowOn7", .lines = "dropshadow=1\r\n" + kShadowLines, .release = "win7",
     .topLeft = POINT{10, 20}, .caption = "Shadow", .dropShadow = false},
};

void ExpectFrame(const driver::WindowInfo& w, const Frame& frame) {
    EXPECT_EQ((w.style & WS_CAPTION) == WS_CAPTION, frame.caption);
    EXPECT_EQ((w.style & WS_THICKFRAME) != 0, frame.sizeable);
    EXPECT_EQ((w.style & WS_MAXIMIZEBOX) != 0, frame.boxes);
    if (!frame.caption) {
        EXPECT_FALSE(w.style & (WS_BORDER | WS_DLGFRAME));
        EXPECT_EQ(Width(w.clientRect), Width(w.rect)) << "no frame around the client";
    }
}

class WindowSetup : public testing::TestWithParam<SetupCase> {};

TEST_P(WindowSetup, ShapesTheMainWindow) {
    const SetupCase& c = GetParam();
    // A pretended release is per program name: each such row runs a copy of its own name.
    const std::string programName =
        c.release ? std::string("setup-") + c.name + ".exe" : std::string("autostart.exe");
    std::optional<driver::PretendedRelease> release;
    if (c.release) release.emplace(programName, c.release);
    SampleDisc disc(programName);
    disc.Write("autorun.inf", "[autorun]\r\nopen=autostart.exe\r\n" + Settings(c.lines));
    if (c.stopsWith) {
        ExpectStopsWithError(disc, c.stopsWith);
        return;
    }
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    const driver::WindowInfo& w = program->window;
    if (c.width) {
        EXPECT_EQ(Width(w.rect), c.width);
    }
    if (c.height) {
        EXPECT_EQ(Height(w.rect), c.height);
    }
    if (c.centred) {
        EXPECT_EQ(w.rect.left, (ScreenWidth() - Width(w.rect)) / 2);
        EXPECT_EQ(w.rect.top, (ScreenHeight() - Height(w.rect)) / 2);
    }
    if (c.topLeft) {
        EXPECT_EQ(w.rect.left, c.topLeft->x);
        EXPECT_EQ(w.rect.top, c.topLeft->y);
    }
    if (c.frame) {
        ExpectFrame(w, *c.frame);
    }
    if (c.caption) {
        EXPECT_EQ(w.text, c.caption);
    }
    EXPECT_EQ(IsZoomed(w.hwnd) != FALSE, c.maximised);
    if (c.dropShadow) {
        EXPECT_EQ((w.classStyle & CS_DROPSHADOW) != 0, *c.dropShadow);
    }
    CloseAndExpectExit(*program);
}

INSTANTIATE_TEST_SUITE_P(Rows, WindowSetup, testing::ValuesIn(kSetupCases), CaseName());

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
    HWND first = box->hwnd;
    ASSERT_TRUE(driver::WaitUntil([first] { return !IsWindowVisible(first); }, kWindowTimeout));
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
    driver::WaitUntil(
        [&] { return GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && alpha == 255; },
        kWindowTimeout);
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
