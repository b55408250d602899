// The example disc, as an author burns it, on each Windows release the program supports: Wine
// pretends to be each one in turn for a copy of the program of its own name.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "case_name.h"
#include "driver/driver.h"
#include "driver/driver_more.h"
#include "e2e/program_runs.h"
#include "e2e/sample_disc.h"

namespace velvane::e2e {
namespace {

// A file of examples/disc, seen through Wine's drive Z: (the Unix root).
std::string ExampleFile(const std::string& relative) {
    return testsupport::SourceTreePath("examples/disc/" + relative);
}

void CopyExample(const SampleDisc& disc, const std::string& from, const std::string& to) {
    std::string content = testsupport::ReadFileText(ExampleFile(from));
    ASSERT_FALSE(content.empty()) << from;
    disc.Write(to, content);
}

// The example disc as scripts/example-disc.sh lays it out, with the fade-in, the drop shadow
// and the tool bar switched on in either variant.
void LayOutExampleDisc(const SampleDisc& disc, bool skinned) {
    for (const char* file : {"index.html", "style.css", "autostart.ico", "pages\\about.html",
                             "pages\\features.html", "pages\\readme.txt",
                             "pages\\small-screen.html"}) {
        CopyExample(disc, file, file);
    }
    for (const char* word : {"goback", "goforward", "gohome", "exit"}) {
        const std::string button = std::string("buttons\\") + word + ".bmp";
        CopyExample(disc, "skinned\\" + button, button);
    }
    disc.CopyFromBuild("screencheck.dll", "checks\\screencheck.dll");
    // [velvane] is the last section of both files: the added keys land in it.
    std::string settings = testsupport::ReadFileText(
        ExampleFile(skinned ? "skinned\\autorun.inf" : "autorun.inf"));
    if (skinned) {
        CopyExample(disc, "skinned\\skin.bmp", "skin.bmp");
        settings += "\r\nfadein=1\r\ndropshadow=1\r\n";
    } else {
        settings += "\r\ntoolbar=goback,goforward,gohome,exit\r\nbuttondir=buttons\r\n";
    }
    disc.Write("autorun.inf", settings);
}

struct ReleaseRow {
    const char* name;
    const char* release;  // as winecfg names it
    bool skinned;
    bool dropShadow;      // only XP and Server 2003 draw one
};

// Each release runs one variant; between them, 9x, NT and the drop-shadow releases each see
// both.
const ReleaseRow kReleases[] = {
    {"Windows95", "win95", false, false},   {"Windows98", "win98", true, false},
    {"WindowsMe", "winme", false, false},   {"WindowsNT4", "nt40", true, false},
    {"Windows2000", "win2k", false, false}, {"WindowsXP", "winxp", true, true},
    {"Server2003", "win2003", false, true},
};

class ExampleDiscOnRelease : public testing::TestWithParam<ReleaseRow> {};

TEST_P(ExampleDiscOnRelease, ShowsItsWindowFadedInAndEndsCleanly) {
    const ReleaseRow& row = GetParam();
    const std::string programName = std::string("release-") + row.name + ".exe";
    driver::PretendedRelease release(programName, row.release);
    SampleDisc disc(programName);
    LayOutExampleDisc(disc, row.skinned);
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    const HWND window = program->window.hwnd;
    EXPECT_EQ(program->window.text, "Velvane Example Disc");
    EXPECT_EQ((program->window.classStyle & CS_DROPSHADOW) != 0, row.dropShadow);
    HWND toolBar = ToolBarOf(window);
    ASSERT_TRUE(toolBar);
    EXPECT_EQ(SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0), 4);
    if (row.skinned) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(window, region), COMPLEXREGION) << "the skin gives no shape";
        DeleteObject(region);
    }
    BYTE alpha = 0;
    EXPECT_TRUE(driver::WaitUntil(
        [&] { return GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr) && alpha == 255; },
        kWindowTimeout))
        << "the fade-in never ended opaque: " << int(alpha);
    CloseAndExpectExit(*program);
}

INSTANTIATE_TEST_SUITE_P(Releases, ExampleDiscOnRelease, testing::ValuesIn(kReleases),
                         CaseName());

}  // namespace
}  // namespace velvane::e2e
