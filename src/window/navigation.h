#pragma once
// The main window's decision about one navigation of the browser: whether the music stops,
// whether a file is handed to the shell instead, and whether the application closes.

#include <functional>
#include <string>
#include <string_view>

namespace velvane {

struct NavigationRequest {
    std::string_view url;            // as the browser reported it (file: URLs as paths), 8-bit
    std::string_view startPagePath;  // program folder + start page
    std::string_view executeExt;     // the extensions setting, comma-separated
    bool stopMusicOnClick = false;
    // The navigation is the top-level browser's, not a frame's. Every frame of a page navigates
    // on its own while the page loads (until the top level's DocumentComplete): those are no
    // clicks. A frame's navigation once the page has loaded is the user's click in the frame.
    bool topLevel = true;
    bool pageLoading = false;
};

struct NavigationDecision {
    bool stopMusic = false;
    // The URL's extension is listed: cancel, and open the URL with the shell when a file of
    // that name exists, otherwise report it as missing.
    bool launchFile = false;
    // A close address: cancel, and close the main window.
    bool closeMainWindow = false;
    bool Cancel() const { return launchFile || closeMainWindow; }
};

NavigationDecision DecideNavigation(const NavigationRequest& request);

// What a cancelled navigation to a listed extension does: the shell opens the file it names
// when that exists, otherwise the missing-program message reports it. A click that reaches the
// page while that message is up (the page was meant to be disabled under it) does neither: it
// starts nothing and stacks no second box. `fileExists` is asked only when its answer counts.
enum class LaunchStep { None, Open, ReportMissing };
LaunchStep ChooseLaunchStep(bool reportShowing, const std::function<bool()>& fileExists);

// Everything after the URL's last dot, when its last dot, backslash or colon is a dot; else "".
// A slash is no delimiter: "http://www.example.com/start" has the extension "com/start".
std::string UrlExtension(std::string_view url);

// Equal regardless of letter case in code page 1252 (A-Z, the accented letters, and the
// pairs S/s, OE/oe, Z/z and Y/y with diacritics that the code page places at 0x8A-0x9F).
bool EqualIgnoringCaseAnsi(std::string_view a, std::string_view b);

}  // namespace velvane
