// Start-up and shutdown of autostart.exe on sample discs, read from outside.

#include <gtest/gtest.h>

#include <string>

#include "case_name.h"
#include "driver/driver.h"
#include "driver/driver_more.h"
#include "e2e/program_runs.h"
#include "e2e/sample_disc.h"

namespace velvane::e2e {
namespace {

void ExpectMissingConfigurationBox(const std::string& expected) {
    SampleDisc disc;
    driver::Process program = disc.Start();

    std::optional<driver::MessageBoxInfo> box =
        driver::WaitForMessageBox(program.Id(), kWindowTimeout);
    ASSERT_TRUE(box) << "no error box";
    EXPECT_EQ(box->title, "Error");
    ASSERT_EQ(box->buttons.size(), 1u);
    EXPECT_EQ(box->buttons[0], "Cancel");
    std::string path = disc.Folder() + "autorun.inf";
    std::string text = expected;
    text.replace(text.find('~'), 1, path);
    EXPECT_EQ(box->text, text);
    EXPECT_FALSE(MainWindowVisible(program.Id()));

    // The program waits for the box, then ends without ever showing its window. Nothing marks
    // "still waiting": time passes, and the program must not have ended in it.
    driver::Pause(300);
    EXPECT_TRUE(program.Running());
    driver::Dismiss(*box, IDCANCEL);
    std::optional<DWORD> exitCode = program.WaitForExit(kExitTimeout);
    ASSERT_TRUE(exitCode) << "still running after the box was dismissed";
    EXPECT_EQ(*exitCode, 0u);
}

TEST(Startup, MissingConfigurationShowsErrorInTheUsersLanguage) {
    bool germanExpected = GermanRunExpected();
    ASSERT_EQ(GermanUser(), germanExpected) << "the harness did not set the user's language";
    ExpectMissingConfigurationBox(germanExpected
                                      ? "Die Konfigurations-Datei \"~\" kann nicht gefunden werden."
                                      : "Cannot find configuration file \"~\".");
}

// Starts the program on `disc`, waits for its main window and closes it again through the
// closing sequence: hidden at once, the process gone a moment later with exit code 0.
void ExpectStartsAndCloses(const SampleDisc& disc, const std::string& caption) {
    driver::Process program = disc.Start();
    std::optional<driver::WindowInfo> window =
        driver::WaitForWindowOfClass(program.Id(), "TBrowserWindow", kWindowTimeout);
    ASSERT_TRUE(window) << "the main window never appeared";
    EXPECT_EQ(window->text, caption);

    PostMessageA(window->hwnd, WM_CLOSE, 0, 0);
    HWND main = window->hwnd;
    EXPECT_TRUE(driver::WaitUntil([main] { return !IsWindowVisible(main); }, kWindowTimeout))
        << "never hidden";
    EXPECT_TRUE(program.Running()) << "the first close request must not end the program";
    std::optional<DWORD> exitCode = program.WaitForExit(kExitTimeout);
    ASSERT_TRUE(exitCode) << "the closing sequence never ended the program";
    EXPECT_EQ(*exitCode, 0u);
}

TEST(Startup, ConfiguredCaptionIsShownAndCloseEndsTheProgram) {
    SampleDisc disc;
    disc.Write("autorun.inf",
               "[autorun]\r\nopen=autostart.exe\r\n[Velvane]\r\n"
               "WindowCaption=\"Sample Disc\"\r\nStartPage=index.html\r\n");
    ExpectStartsAndCloses(disc, "Sample Disc");
}

// Broken configuration files are read under the usual rules: what is not a key is ignored,
// absent keys take their defaults, and start-up goes on.
struct BrokenFile {
    const char* name;
    std::string content;
};

std::string Garbage(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char& b : bytes) {
        state = state * 1103515245 + 12345;
        b = static_cast<char>(state >> 16);
    }
    return bytes;
}

class BrokenConfiguration : public testing::TestWithParam<BrokenFile> {};

// None of these files names a start page: start-up runs through the settings and the window
// setup, and the first thing missing is the start page of the empty name, the disc's folder.
TEST_P(BrokenConfiguration, StartsWithDefaults) {
    SampleDisc disc;
    disc.Write("autorun.inf", GetParam().content);
    ExpectStopsWithError(disc,
                         "No start page is declared (attribute \"startpage\" in "
                         "\"autorun.inf\") or the start page \"" +
                             disc.Folder() + "\" cannot be found.");
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenConfiguration,
    testing::Values(BrokenFile{"BinaryGarbage", Garbage(64 * 1024)},
                    BrokenFile{"NulBytes", std::string("[velvane]\0windowcaption=x\0y\n", 29) +
                                               std::string(100, '\0')},
                    BrokenFile{"FiftyMegabytes", std::string(50 << 20, 'a')},
                    BrokenFile{"NoNewline", "[velvane] fullscreen=1 windowcaption=Nope"},
                    BrokenFile{"HugeLine", "[velvane]\n" + std::string(100000, 'k') + "=v\n"},
                    BrokenFile{"Empty", ""}),
    CaseName());

}  // namespace
}  // namespace velvane::e2e
