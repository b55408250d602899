#pragma once
// TBrowserWindow: the program's one main window. It owns the launch settings and, as the
// program grows, the browser host, the tool bar and the skin control.

#include <windows.h>

#include <cstdint>
#include <string>

#include "config/launch_settings.h"
#include "win32/unique_handle_win.h"
#include "win32/window_win.h"

namespace velvane {

class TAboutBox;

class TBrowserWindow : public Window {
public:
    // Close actions a close handler can answer.
    enum class CloseAction { None, Hide, Free };

    TBrowserWindow() = default;
    ~TBrowserWindow() override;

    // Creates the window with its design values (hidden) and runs FormCreate.
    void Create();
    void SetAboutBox(TAboutBox* aboutBox) { aboutBox_ = aboutBox; }

    void ReadLaunchSettings();
    void SetupMainWindow();
    // Shows the window for the first time (runs FormShow first).
    void Show();
    // A request to close: runs the closing sequence.
    void Close();

    std::string GetMessageText(std::int32_t id, const std::string& argument = {}) const;
    void ShowError(std::int32_t id, const std::string& argument = {}) const;

    // The folder of the executable, with its trailing backslash; every configured path is
    // relative to it.
    const std::string& ProgramFolderPath() const { return programFolder_; }

    // Fields shared with the rest of the program.
    LaunchSettings settings;
    std::int32_t closeTicks = 0;
    bool requirementsMet = false;
    bool canGoBack = false;
    bool canGoForward = false;
    bool useExternalBrowser = false;
    std::string language;

private:
    // Creation and the closing sequence (browser_window_win.cpp).
    void FormCreate();
    void FormCloseQuery(bool& canClose);
    void FormClose(CloseAction& action);
    bool AboutMenuHook(MSG& message);
    void WMSysCommand(WPARAM command, LPARAM lParam);
    void ShowAboutModal();

    // Start page display (start_page_win.cpp).
    void FormShow();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    TAboutBox* aboutBox_ = nullptr;
    std::string programFolder_;
    GdiFont font_;
};

}  // namespace velvane
