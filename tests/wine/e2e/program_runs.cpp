#include "e2e/program_runs.h"

#include <gtest/gtest.h>

namespace velvane::e2e {

bool MainWindowVisible(DWORD pid) {
    for (HWND hwnd : driver::TopLevelWindows(pid)) {
        driver::WindowInfo w = driver::ReadWindow(hwnd);
        if (w.className == "TBrowserWindow" && w.visible) return true;
    }
    return false;
}

HWND ToolBarOf(HWND mainWindow) {
    return FindWindowExA(mainWindow, nullptr, "ToolbarWindow32", nullptr);
}

bool GermanUser() {
    LANGID id = GetUserDefaultLangID();
    return id == 1031 || id == 2055 || id == 3079 || id == 4103 || id == 5127;
}

bool GermanRunExpected() {
    return GetEnvironmentVariableA("VELVANE_EXPECT_GERMAN", nullptr, 0) > 0;
}

std::optional<RunningProgram> StartUntilMainWindow(const SampleDisc& disc) {
    driver::Process process = disc.Start();
    std::optional<driver::WindowInfo> window = driver::WaitForWindow(
        process.Id(),
        [](const driver::WindowInfo& w) {
            return (w.className == "TBrowserWindow" || w.className == "#32770") && w.visible;
        },
        kWindowTimeout);
    if (!window) {
        ADD_FAILURE() << "the main window never appeared";
        return std::nullopt;
    }
    if (window->className == "#32770") {
        std::optional<driver::MessageBoxInfo> box = driver::WaitForMessageBox(process.Id(), 1000);
        ADD_FAILURE() << "a message box appeared instead of the main window: "
                      << (box ? box->title + ": " + box->text : std::string("?"));
        return std::nullopt;
    }
    return RunningProgram{std::move(process), *window};
}

void CloseAndExpectExit(RunningProgram& program) {
    PostMessageA(program.window.hwnd, WM_CLOSE, 0, 0);
    std::optional<DWORD> exitCode = program.process.WaitForExit(kExitTimeout);
    ASSERT_TRUE(exitCode) << "the closing sequence never ended the program";
    EXPECT_EQ(*exitCode, 0u);
}

void ExpectStopsWithError(const SampleDisc& disc, const std::string& text, const std::string& title,
                          DWORD exitCode) {
    driver::Process program = disc.Start();
    std::optional<driver::MessageBoxInfo> box =
        driver::WaitForMessageBox(program.Id(), kWindowTimeout);
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(box->title, title);
    EXPECT_EQ(box->text, text);
    EXPECT_FALSE(MainWindowVisible(program.Id()));
    driver::Dismiss(*box, box->buttons.size() == 1 && box->buttons[0] == "OK" ? IDOK : IDCANCEL);
    std::optional<DWORD> code = program.WaitForExit(kExitTimeout);
    ASSERT_TRUE(code) << "still running after the box was dismissed";
    EXPECT_EQ(*code, exitCode);
}

}  // namespace velvane::e2e
