#pragma once
// TBrowserWindow: the program's one main window. It owns the launch settings and, as the
// program grows, the browser host, the tool bar and the skin control.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "browserhost/web_host_win.h"
#include "config/launch_settings.h"
#include "services/application_win.h"
#include "skin/image_shape_win.h"
#include "sysinfo/windows_version.h"
#include "splash/about_box_win.h"
#include "win32/unique_handle_win.h"
#include "win32/window_win.h"
#include "window/new_window.h"

namespace velvane {

// Where a navigation goes: the URL, or the path a file: URL names, as the browser's 16-bit text
// and as the program's 8-bit text, which carries "?" where the ANSI code page lacks a character.
struct NavigationTarget {
    std::wstring path;
    std::string text;
    FileNameCalls calls = FileNameCalls::Ansi;  // the calls that reach what `path` names
    static NavigationTarget Of(const std::wstring& url);
    // Whether it names an existing file, and asking the shell to open it, through `calls`.
    bool IsFile() const;
    void Open(HWND owner) const;
};

class TBrowserWindow : public Window, public ClosingWindow {
public:
    // Close actions a close handler can answer.
    enum class CloseAction { None, Hide, Free };

    // The window serves `application`, which must outlive it: its title, its main window, its
    // message hook and its end.
    explicit TBrowserWindow(Application& application) : application_(application) {}
    ~TBrowserWindow() override;

    // Creates the window with its design values (hidden) and runs FormCreate.
    void Create();
    void SetAboutBox(TAboutBox* aboutBox) { aboutBox_ = aboutBox; }

    void ReadLaunchSettings();
    void SetupMainWindow();
    // Shows the window for the first time (runs FormShow first).
    void Show();
    // A request to close: runs the closing sequence.
    void Close() override;
    // The closing sequence's view of the window (see ClosingWindow).
    bool Open() const override { return Handle() != nullptr; }
    std::int32_t& CloseTicks() override { return closeTicks; }

    std::string GetMessageText(std::int32_t id, const std::string& argument = {}) const;
    void ShowError(std::int32_t id, const std::string& argument = {}) const;

    // The folder of the executable, with its trailing backslash; every configured path is
    // relative to it.
    const std::string& ProgramFolderPath() const { return programFolder_; }

    // Stops whatever sound this process plays; harmless when none plays.
    void StopMusic();

    // Fields shared with the rest of the program.
    std::unique_ptr<TWebHost> browser;  // created when the window is first shown
    LaunchSettings settings;
    std::int32_t closeTicks = 0;
    bool requirementsMet = false;
    bool canGoBack = false;
    bool canGoForward = false;
    bool useExternalBrowser = false;
    std::string language;

private:
    Application& application_;
    friend class BrowserWindowProbe;  // the in-process tests

    // Creation and the closing sequence (browser_window_win.cpp).
    void FormCreate();
    void FormCloseQuery(bool& canClose);
    void FormClose(CloseAction& action);
    bool AboutMenuHook(MSG& message);
    void WMSysCommand(WPARAM command, LPARAM lParam);
    void ShowAboutModal();

    // Start page display (start_page_win.cpp).
    void FormShow();
    void AppendAboutItem(HWND window);
    void LoadConfiguredIcon();
    void OpenStartPageInDefaultBrowser();
    void ShowStartPage();
    void PlaceBrowser();

    // The browser's events (navigation_win.cpp, toolbar_commands_win.cpp).
    void BindBrowserEvents();
    void WebHostBeforeNavigate2(const NavigationTarget& target, bool topLevel, bool& cancel);
    void WebHostNewWindow3(const std::wstring& url);
    // New-window requests of controls that name no address (new_window_win.cpp).
    void WebHostNewWindow2(IDispatch** newBrowser, bool& cancel);
    ComPtr<IDispatch> HiddenBrowserFor(std::uint32_t request);
    void BindNewWindowBrowser(TWebHost& host, std::uint32_t request);
    void NewWindowNavigates(std::uint32_t request, const std::wstring& url);
    bool NewWindowBrowsersToRelease() const;
    void ReleaseAnsweredNewWindowBrowsers() noexcept;
    void LaunchOrReport(const NavigationTarget& target);
    void ReportFromEvent(std::int32_t messageId, const std::string& argument);
    // Runs the work that must not run while a call into the browser or from it is on the stack
    // (deferred_work_win.cpp): the end of the closing sequence, which tears the browser down,
    // and a new window's address, which replaces its page. Now when no call is on the stack,
    // otherwise once the outermost has returned.
    void RunDeferredWork();
    void PostDeferredWork();
    bool NoBrowserCallOnTheStack();
    void OnActivate(WPARAM wParam);
    void WebHostDocumentComplete();
    HRESULT WebHostShowContextMenu() const;
    void WebHostCommandStateChange(std::int32_t command, bool enabled);
    void PrintDocument();

    // Setup from the launch settings (setup_win.cpp, requirements_win.cpp, toolbar_win.cpp).
    void ApplyDropShadow();
    bool CheckRequirements();
    bool RunRequirementCheck(const std::string& path, const char* exportName);
    void LoadSkin();
    void ApplyBorder();
    bool ApplySizeAndPosition();
    void BuildToolbar();
    bool AddToolButton(std::size_t index, const std::string& entry);
    void Stop(std::int32_t messageId, const std::string& argument = {});
    void RecreateHandle();
    void LayOutChildren();
    void FitToContent();
    void ToolButtonClick(const std::string& caption);

    // Fade and music (fade_music_win.cpp).
    void StartIntroMusic();
    void StartFadeIn();
    void FadeTimerTimer();
    void CallPlaySound(const char* sound, HMODULE module, std::uint32_t flags);

    void CreateComponents();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(LPARAM lParam);
    void OnPaint();
    bool OnMouse(UINT message, WPARAM wParam, LPARAM lParam);

    static constexpr UINT_PTR kFadeTimerId = 1;
    // The about item of the system menus (the application's and this window's).
    static constexpr UINT kAboutCommandId = 65535;
    static constexpr UINT kFirstToolCommand = 1000;
    static constexpr UINT kRunDeferredWork = WM_APP + 1;

    TAboutBox* aboutBox_ = nullptr;
    std::string programFolder_;

    // Components, as the window is designed: the fade timer (disabled), the button images
    // (32 x 32 until the first bitmap says otherwise) and the tool bar (hidden, flat, on top).
    ImageList buttonImageList_;
    HWND buttonToolBar_ = nullptr;  // a child: destroyed with the window
    std::vector<std::string> toolButtonCaptions_;
    std::unique_ptr<TImageShape> imageShaper_;  // the skin: left 0, top 0, 105 x 105, auto-sized
    // The sound output; tests put a recorder in its place.
    using PlaySoundFunction = BOOL(WINAPI*)(LPCSTR sound, HMODULE module, DWORD flags);
    PlaySoundFunction playSound_ = nullptr;
    // The fade's alpha, for layered windows: Windows 2000 on. Without them (nullptr; tests put
    // that in place too) the window shows opaque at once while the fade's ticks run all the same.
    using LayeredAttributesFunction = BOOL(WINAPI*)(HWND window, COLORREF key, BYTE alpha,
                                                    DWORD flags);
    static LayeredAttributesFunction SystemLayeredAttributes();
    LayeredAttributesFunction setLayeredAttributes_ = SystemLayeredAttributes();
    std::uint8_t alphaBlendValue_ = 255;

    UniqueHandle<IconTraits> icon_;  // the disc's icon, when it names one
    bool browserFillsClient_ = false;
    bool maximised_ = false;   // the state the window is first shown in
    bool autoSize_ = false;    // the window takes the size of its content (skins)
    bool recreating_ = false;  // a new handle replaces the old one: no termination

    bool endDeferred_ = false;           // the closing sequence's end waits for the calls
    std::wstring deferredNavigation_;    // a new window's address, opened here afterwards
    bool pageLoading_ = false;           // the top-level page has not completed: frames load
    bool reportShowing_ = false;         // an event's message box is up
    // The hidden browsers handed to the control for new-window requests that name no address,
    // each until its request is answered (new_window_win.cpp).
    struct NewWindowBrowser {
        std::uint32_t request;
        std::unique_ptr<TWebHost> host;
    };
    NewWindowRequests newWindowRequests_;
    std::vector<NewWindowBrowser> newWindowBrowsers_;
};

}  // namespace velvane
