#pragma once
// The usual runs of autostart.exe on a sample disc, with the checks every test makes.

#include <optional>
#include <string>

#include "driver/driver.h"
#include "e2e/sample_disc.h"

namespace velvane::e2e {

constexpr DWORD kWindowTimeout = 15000;
constexpr DWORD kExitTimeout = 15000;

struct RunningProgram {
    driver::Process process;
    driver::WindowInfo window;  // the main window, as first seen visible
};

// Starts the program and waits for its main window; a test failure and nullopt when it never
// appears (a message box it showed instead is named in the failure).
std::optional<RunningProgram> StartUntilMainWindow(const SampleDisc& disc);

// Asks the main window to close and expects the process to end with exit code 0.
void CloseAndExpectExit(RunningProgram& program);

// Expects the program to show an error box with `text` and no main window, and to end with
// `exitCode` once the box is dismissed.
void ExpectStopsWithError(const SampleDisc& disc, const std::string& text,
                          const std::string& title = "Error", DWORD exitCode = 0);

// True when a main window of the process is visible.
bool MainWindowVisible(DWORD pid);

// The main window's tool bar.
HWND ToolBarOf(HWND mainWindow);

// The user's language comes from the Unix locale the whole test run was started with (Wine
// ignores LC_ALL in a Windows environment block). Tests of the language run twice: once as an
// English user and once, from their own entry in the test list, as a German one, which also sets
// VELVANE_EXPECT_GERMAN so that a run that silently stayed English fails.
bool GermanUser();
bool GermanRunExpected();

}  // namespace velvane::e2e
