// Links and tool buttons, seen from outside: programs started through the shell, the print
// command's report, the history commands and "exit".

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "driver/driver.h"
#include "driver/driver_more.h"
#include "support/bitmap_file.h"
#include "e2e/program_runs.h"
#include "e2e/sample_disc.h"

namespace velvane::e2e {
namespace {

// A disc whose start page is a program (the launch recorder), with a tool bar.
void WriteProgramDisc(const SampleDisc& disc, const std::string& extra = {}) {
    disc.CopyFromBuild("launch_recorder.exe", "setup\\tool.exe");
    disc.Write("buttons\\gohome.bmp", PlainBitmap(24, 24));
    disc.Write("autorun.inf",
               "[velvane]\r\nstartpage=setup\\tool.exe\r\ntoolbar=gohome\r\n" + extra);
}

TEST(Navigation, AProgramAsStartPageIsStartedByTheShellAndAgainByGoHome) {
    SampleDisc disc;
    WriteProgramDisc(disc);
    driver::Process program = disc.Start({{"VELVANE_MARKER", "inherited"}});
    std::optional<driver::WindowInfo> window =
        driver::WaitForWindowOfClass(program.Id(), "TBrowserWindow", kWindowTimeout);
    ASSERT_TRUE(window);
    std::string log = disc.Folder() + "setup\\launches.txt";
    std::string launches = driver::WaitForLines(log, 1, 10000);
    EXPECT_NE(launches.find("marker=inherited"), std::string::npos) << launches;
    EXPECT_NE(launches.find("tool.exe"), std::string::npos) << launches;
    EXPECT_FALSE(driver::WaitForMessageBox(program.Id(), 300)) << "no message belongs here";

    driver::ClickToolButton(ToolBarOf(window->hwnd), 0);
    launches = driver::WaitForLines(log, 2, 10000);
    EXPECT_EQ(std::count(launches.begin(), launches.end(), '\n'), 2) << launches;
    PostMessageA(window->hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(kExitTimeout), std::optional<DWORD>(0));
}

TEST(Navigation, AProgramStartedFromASkinnedMenuInheritsTheSkinMarker) {
    SampleDisc disc;
    disc.Write("skin.bmp", Bitmap24(120, 90, [](int x, int y) {
                   return (x - 60) * (x - 60) + (y - 45) * (y - 45) < 40 * 40 ? 0x336699u
                                                                              : 0xFF00FFu;
               }));
    WriteProgramDisc(disc, "skin=skin.bmp\r\n");
    driver::Process program = disc.Start();
    std::string launches = driver::WaitForLines(disc.Folder() + "setup\\launches.txt", 1, 15000);
    EXPECT_NE(launches.find("tamlo=set"), std::string::npos) << launches;
}

TEST(Navigation, APlainMenuLeavesTheSkinMarkerUnset) {
    SampleDisc disc;
    WriteProgramDisc(disc);
    driver::Process program = disc.Start();
    std::string launches = driver::WaitForLines(disc.Folder() + "setup\\launches.txt", 1, 15000);
    EXPECT_NE(launches.find("tamlo=(unset)"), std::string::npos) << launches;
}

// Starts a menu with a tool bar of the given command words and waits for its window.
std::optional<RunningProgram> StartWithToolbar(SampleDisc& disc, const std::string& words,
                                               int buttons) {
    for (const char* word : {"print", "goback", "goforward", "exit", "GoBack", "nothing"}) {
        disc.Write(std::string("buttons\\") + word + ".bmp", PlainBitmap(24, 24));
    }
    disc.Write("autorun.inf", "[velvane]\r\nstartpage=index.html\r\ntoolbar=" + words + "\r\n");
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    if (program) {
        EXPECT_EQ(SendMessageA(ToolBarOf(program->window.hwnd), TB_BUTTONCOUNT, 0, 0), buttons);
    }
    return program;
}

// Without an HTML engine no page ever loads, so "print" always finds no document. Run as an
// English and (by the test list) as a German user: the frame stays English either way.
TEST(Toolbar, PrintWithoutAPageEndsInTheUnexpectedErrorReportInTheUsersLanguage) {
    bool germanExpected = GermanRunExpected();
    ASSERT_EQ(GermanUser(), germanExpected) << "the harness did not set the user's language";
    SampleDisc disc;
    std::optional<RunningProgram> program = StartWithToolbar(disc, "print", 1);
    ASSERT_TRUE(program);
    driver::ClickToolButton(ToolBarOf(program->window.hwnd), 0);
    std::optional<driver::MessageBoxInfo> box =
        driver::WaitForMessageBox(program->process.Id(), kWindowTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "Error");
    EXPECT_EQ(box->text, std::string("An unexpected error occured!\rDebug information: \"") +
                             (germanExpected ? "Die aktuelle Seite kann nicht gedruckt werden."
                                             : "The current page cannot be printed.") +
                             "\"");
    driver::Dismiss(*box, IDCANCEL);
    EXPECT_EQ(program->process.WaitForExit(kExitTimeout), std::optional<DWORD>(0));
}

TEST(Toolbar, HistoryAndUnknownWordsDoNothingRightAfterStart) {
    SampleDisc disc;
    std::optional<RunningProgram> program =
        StartWithToolbar(disc, "goback,goforward,GoBack,nothing", 4);
    ASSERT_TRUE(program);
    HWND toolBar = ToolBarOf(program->window.hwnd);
    for (int i = 0; i < 4; ++i) driver::ClickToolButton(toolBar, i);
    // Doing nothing leaves no mark to wait for: time passes, and nothing may have happened.
    driver::Pause(500);
    EXPECT_TRUE(program->process.Running());
    EXPECT_TRUE(IsWindowVisible(program->window.hwnd));
    EXPECT_FALSE(driver::WaitForMessageBox(program->process.Id(), 0));
    CloseAndExpectExit(*program);
}

TEST(Toolbar, ExitRunsTheClosingSequenceLikeTheCloseBox) {
    SampleDisc disc;
    std::optional<RunningProgram> program = StartWithToolbar(disc, "exit", 1);
    ASSERT_TRUE(program);
    HWND main = program->window.hwnd;
    driver::ClickToolButton(ToolBarOf(main), 0);
    EXPECT_TRUE(driver::WaitUntil([main] { return !IsWindowVisible(main); }, kWindowTimeout))
        << "never hidden";
    EXPECT_TRUE(program->process.Running()) << "ended without the closing sequence";
    EXPECT_EQ(program->process.WaitForExit(kExitTimeout), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace velvane::e2e
