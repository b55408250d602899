// The closing sequence, read from outside: a close request hides the main window at once, the
// splash strip stays on top for three ticks of 500 ms, and then the process ends with exit code 0.

#include <gtest/gtest.h>

#include <cstdio>

#include "e2e/about_box_session.h"

namespace velvane::e2e {
namespace {

constexpr int kOkButtonId = IDOK;

// A correct program ends no sooner than three ticks of 500 ms after the timer started, which is
// after the close request was posted; this much earlier it must surely still run. (A lower bound
// only: a slow machine makes the program end later, never earlier.)
constexpr DWORD kStillRunningAfter = 1200;
constexpr DWORD kLatestLook = 1400;

void ExpectStrip(const driver::WindowInfo& box, POINT topLeft) {
    EXPECT_TRUE(box.visible);
    EXPECT_EQ(Width(box.rect), kBoxWidth);
    EXPECT_EQ(Height(box.rect), kSplashHeight);
    EXPECT_EQ(box.rect.left, topLeft.x);
    EXPECT_EQ(box.rect.top, topLeft.y);
    EXPECT_TRUE(box.exStyle & WS_EX_TOPMOST) << "the strip must stay on top";
}

void ExpectEndsWithExitCodeZero(const driver::Process& program) {
    std::optional<DWORD> exitCode = program.WaitForExit(kExitTimeout);
    ASSERT_TRUE(exitCode) << "the closing sequence never ended the program";
    EXPECT_EQ(*exitCode, 0u);
}

// Shows the about box with the command and closes it again with its OK button.
void OpenAndCloseAboutBox(const AboutBoxSession& session) {
    session.PostAboutCommand(session.MainWindow());
    ASSERT_TRUE(session.WaitForBoxShown()) << "the about box never opened";
    driver::Click(session.PanelControl(kOkButtonId));
    ASSERT_TRUE(session.WaitForBoxHidden()) << "the OK button did not close the about box";
}

TEST(ClosingSequence, HidesAtOnceShowsTheCentredStripAndEndsAfterThreeTicks) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    DWORD closeRequested = GetTickCount();
    PostMessageA(session.MainWindow(), WM_CLOSE, 0, 0);

    ASSERT_TRUE(session.WaitForBoxShown()) << "no splash strip";
    // The main window was hidden before the strip appeared.
    EXPECT_FALSE(IsWindowVisible(session.MainWindow())) << "not hidden at once";
    ExpectStrip(session.ReadBox(), CentredTopLeft(kBoxWidth, kSplashHeight));

    // Two ticks leave the program running. Only looked at when this test itself was quick
    // enough to look in time. The ticks are the program's timer: time has to pass.
    DWORD elapsed = GetTickCount() - closeRequested;
    if (elapsed < kStillRunningAfter) driver::Pause(kStillRunningAfter - elapsed);
    bool running = session.Program().Running();
    if (GetTickCount() - closeRequested < kLatestLook) {
        EXPECT_TRUE(running) << "ended before the third tick";
    } else {
        std::printf("too slow to look at the program between the second and third tick\n");
    }

    ExpectEndsWithExitCodeZero(session.Program());
    std::printf("closing sequence: %lu ms from the close request to the end of the process\n",
                GetTickCount() - closeRequested);
}

TEST(ClosingSequence, MaximisedWindowIsRestoredBeforeItHides) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    RECT normal{};
    GetWindowRect(session.MainWindow(), &normal);
    PostMessageA(session.MainWindow(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(
        driver::WaitUntil([&] { return IsZoomed(session.MainWindow()) != FALSE; }, kWindowTimeout))
        << "the window could not be maximised";

    PostMessageA(session.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(session.WaitForBoxShown()) << "no splash strip";
    driver::WindowInfo window = driver::ReadWindow(session.MainWindow());
    EXPECT_FALSE(window.visible);
    EXPECT_FALSE(window.style & WS_MAXIMIZE) << "hidden while still maximised";
    EXPECT_EQ(window.rect.left, normal.left);
    EXPECT_EQ(window.rect.top, normal.top);
    EXPECT_EQ(Width(window.rect), Width(normal));
    EXPECT_EQ(Height(window.rect), Height(normal));
    ExpectEndsWithExitCodeZero(session.Program());
}

// Fault pinned: a timer restarted by every close request would let a stream of requests keep
// the program alive for ever.
TEST(ClosingSequence, RepeatedCloseRequestsDoNotPostponeTheEnd) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    bool ended = driver::WaitUntil(
        [&] {
            if (!session.Program().Running()) return true;
            PostMessageA(session.MainWindow(), WM_CLOSE, 0, 0);
            return false;
        },
        kExitTimeout);
    ASSERT_TRUE(ended) << "close requests every few milliseconds kept the program running";
    ExpectEndsWithExitCodeZero(session.Program());
}

TEST(ClosingSequence, StripAppearsAtTheFormerTopLeftOfTheAboutBox) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    OpenAndCloseAboutBox(session);
    POINT aboutTopLeft = CentredTopLeft(kBoxWidth, kAboutHeight);

    PostMessageA(session.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(session.WaitForBoxShown()) << "no splash strip";
    ExpectStrip(session.ReadBox(), aboutTopLeft);
    ExpectEndsWithExitCodeZero(session.Program());
}

// A close request can reach the main window while the about box is open (the main window is
// disabled, but a request from the task bar or a program still arrives): the about box turns
// into the strip where it stands, and the sequence runs to its end.
TEST(ClosingSequence, CloseRequestWhileTheAboutBoxIsOpenTurnsItIntoTheStrip) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    session.PostAboutCommand(session.MainWindow());
    ASSERT_TRUE(session.WaitForBoxShown()) << "the about box never opened";

    PostMessageA(session.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(driver::WaitUntil([&] { return Height(session.ReadBox().rect) == kSplashHeight; },
                                  kWindowTimeout))
        << "the about box did not become the strip";
    EXPECT_FALSE(IsWindowVisible(session.MainWindow()));
    ExpectStrip(session.ReadBox(), CentredTopLeft(kBoxWidth, kAboutHeight));
    ExpectEndsWithExitCodeZero(session.Program());
}

}  // namespace
}  // namespace velvane::e2e
