// The hosted page driven as a browser engine drives it: autostart.exe with the stand-in WebBrowser
// control (tests/wine/standin) in place of the platform's, which loads the disc's pages as page
// models, clicks their links, presses keys and raises the events a real engine raises.
//
// The stand-in is registered for the whole Wine prefix while a test runs, so these tests run
// alone, from their own entry in the test list.
//
// Faults of the browser host these tests pin (each fails while the fault is there):
// - a file: URL or a name outside the ANSI code page reaches the launch filter unconverted
//   (message 12, or another file started under a best-fit name);
// - new-window requests and script window.close() bypass the filter and the closing sequence;
// - with a control before XP SP2 (NewWindow2 alone) a new-window request does nothing at all, and
//   with one before IE 5.5 (no WindowClosing) a script's window.close() leaves the menu open;
// - GetHostInfo's cbSize is the 32-bit record size in a 64-bit build;
// - the keyboard focus stays on the main window, so keys never reach the page;
// - a close request while message 12 is up tears the host down inside the event;
// - the frames of a start page stop the intro music, or a click inside a frame does not;
// - a close request during print(), the find dialog or a script's alert() box tears the control
//   down inside the call that runs the modal loop.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "driver/driver_more.h"
#include "support/bitmap_file.h"
#include "e2e/program_runs.h"
#include "e2e/sample_disc.h"
#include "runs_alone.h"
#include "standin/standin_client.h"

namespace velvane::e2e {
namespace {

constexpr DWORD kStepTimeout = 8000;
constexpr char kUtf8Umlaut[] = "\xC3\xA4";                        // ä, in the ANSI code page
constexpr char kUtf8OutsideCodePage[] = "\xC5\x81\xC3\xB3" "d\xC5\xBA";  // Łódź
constexpr char kUtf8BestFit[] = "L\xC3\xB3" "dz";                 // Lódz, its best-fit spelling

std::wstring Wide(const std::string& utf8) {
    int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

// The launch recorder as `folder`\tool.exe (a UTF-8 name, which the ANSI calls cannot create).
// False when the file system cannot take the name: Wine maps names outside ASCII through the
// Unix locale, and a machine without the locale the run asks for has none.
bool PutRecorder(const SampleDisc& disc, const std::string& folder) {
    std::wstring target = Wide(disc.Folder() + folder);
    CreateDirectoryW(target.c_str(), nullptr);
    std::wstring from = Wide(BuildFolder() + "launch_recorder.exe");
    return CopyFileW(from.c_str(), (target + L"\\tool.exe").c_str(), FALSE);
}

// How often the recorder in `folder` ran.
int Launches(const SampleDisc& disc, const std::string& folder) {
    std::wstring path = Wide(disc.Folder() + folder + "\\launches.txt");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    char buffer[4096];
    DWORD read = 0;
    int lines = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        for (DWORD i = 0; i < read; ++i) lines += buffer[i] == '\n';
    }
    CloseHandle(file);
    return lines;
}

std::vector<HWND> VisibleBoxes(DWORD pid) {
    std::vector<HWND> boxes;
    for (HWND window : driver::TopLevelWindows(pid)) {
        driver::WindowInfo info = driver::ReadWindow(window);
        if (info.className == "#32770" && info.visible) boxes.push_back(window);
    }
    return boxes;
}

// One run of the program with the stand-in for a browser, on `disc`.
class HostedRun {
public:
    explicit HostedRun(const SampleDisc& disc, driver::Environment extra = {}, bool waitForPage = true)
        : log(disc.Folder() + "standin.log") {
        extra.emplace_back(standin::kLogVariable, log.Path());
        process = disc.Start(extra);
        std::optional<driver::WindowInfo> window =
            driver::WaitForWindowOfClass(process.Id(), "TBrowserWindow", kWindowTimeout);
        if (!window) return;
        main = window->hwnd;
        driver::WaitUntil([&] { return (embedding = standin::FindEmbedding(main)) != nullptr; }, kWindowTimeout);
        if (waitForPage) log.WaitFor("READY", kWindowTimeout);
    }

    // Main window, control and (unless held) the start page are there.
    bool Started(bool waitedForPage = true) const {
        return main && embedding && (!waitedForPage || log.Contains("READY"));
    }

    // Sends a command without waiting for it: its event may show a modal box.
    bool Send(const std::string& command) {
        ++sent_;
        return standin::SendCommand(embedding, command);
    }

    // Sends a command and waits until the control has run it.
    bool Run(const std::string& command) {
        return Send(command) && log.WaitFor("DONE " + std::to_string(sent_) + " " + command, kStepTimeout);
    }

    bool WaitForReady(int times) const { return log.WaitFor("READY", kStepTimeout, times); }

    standin::RunLog log;
    driver::Process process;
    HWND main = nullptr;
    HWND embedding = nullptr;

private:
    int sent_ = 0;
};

// Every run of the end-to-end tests starts with the prefix's own browser, whatever an earlier
// run that died left behind; the stand-in's runs are alone, so none of them is under way now.
const bool kStaleRegistrationRepaired = (standin::RepairStaleRegistration(), true);

class HostedPage : public ::testing::Test {
protected:
    void SetUp() override {
        VELVANE_RUNS_ALONE();
        registration_ = std::make_unique<standin::PrefixRegistration>(BuildFolder() + standin::kLibraryName);
        ASSERT_TRUE(registration_->Registered()) << "cannot register the stand-in in the prefix";
    }
    void TearDown() override { registration_.reset(); }

    // No teardown and no final release of the control while one of its events runs.
    static void ExpectNoTeardownInEvent(const HostedRun& run) {
        EXPECT_FALSE(run.log.Contains(standin::kTeardownInEvent)) << run.log.After(standin::kTeardownInEvent);
    }

private:
    std::unique_ptr<standin::PrefixRegistration> registration_;
};

// ---- Program links across the two forms of address -------------------------------------------

enum class Outcome { Starts, Message12, NeverTheBestFitName };

struct LinkCase {
    const char* id;
    const char* href;    // as the page writes it (escaped)
    const char* folder;  // the recorder's folder, UTF-8; null for a missing program
    Outcome outcome;
};

const LinkCase kLinkCases[] = {
    {"relative", "setup/tool.exe", "setup", Outcome::Starts},
    {"space", "my%20setup/tool.exe", "my setup", Outcome::Starts},
    {"hash", "a%23b/tool.exe", "a#b", Outcome::Starts},
    {"percent", "100%25/tool.exe", "100%", Outcome::Starts},
    {"umlaut", "%C3%A4/tool.exe", kUtf8Umlaut, Outcome::Starts},
    // The code page cannot hold the name: the program may start it or say it is missing, but
    // it must never start the file that the best-fit spelling names.
    {"outside", "%C5%81%C3%B3d%C5%BA/tool.exe", kUtf8OutsideCodePage, Outcome::NeverTheBestFitName},
    {"missing", "setup/missing.exe", nullptr, Outcome::Message12},
};

// On 95, 98 and Me the name outside the code page is missing: their UTF-16 calls are stubs (Wine's
// work, so only the program's own choice keeps it from starting the file here).
TEST_F(HostedPage, ProgramLinksStartOnceOrAnswerWithMessage12InBothAddressForms) {
    struct Run {
        const char* profile;
        const char* release;  // pretended by Wine, as winecfg names it; null: its default
    };
    for (const Run& r : {Run{"plain", nullptr}, Run{"file", nullptr}, Run{"plain", "win98"}}) {
        const char* profile = r.profile;
        SCOPED_TRACE(std::string("addresses as ") + profile + (r.release ? " on 98" : ""));
        const std::string programName = r.release ? "links-98.exe" : "autostart.exe";
        std::optional<driver::PretendedRelease> release;
        if (r.release) release.emplace(programName, r.release);
        SampleDisc disc(programName);
        std::string page = "<html><body>";
        std::vector<const LinkCase*> cases;
        for (const LinkCase& link : kLinkCases) {
            page += std::string("<a id=\"") + link.id + "\" href=\"" + link.href + "\">" + link.id + "</a>";
            if (!link.folder || PutRecorder(disc, link.folder)) {
                cases.push_back(&link);
            } else {
                std::printf("[ SKIPPED  ] link %s: this machine's locale cannot hold its folder name\n", link.id);
            }
        }
        bool bestFitCheck = PutRecorder(disc, kUtf8BestFit);
        disc.Write("index.html", page + "</body></html>");
        disc.Write("autorun.inf", "[velvane]\r\nstartpage=index.html\r\n");
        HostedRun run(disc, {{standin::kProfileVariable, profile}});
        ASSERT_TRUE(run.Started()) << run.log.Text();

        for (const LinkCase* row : cases) {
            const LinkCase& link = *row;
            SCOPED_TRACE(link.id);
            int before = run.log.Count("DONE");
            ASSERT_TRUE(run.Send(std::string("click ") + link.id));
            bool boxShown = false;
            driver::WaitUntil([&] { return !VisibleBoxes(run.process.Id()).empty() || run.log.Count("DONE") > before; },
                              kStepTimeout);
            if (std::optional<driver::MessageBoxInfo> box = driver::WaitForMessageBox(run.process.Id(), 200)) {
                boxShown = true;
                EXPECT_EQ(box->text.rfind("The executable file \"", 0), 0u) << box->text;
                EXPECT_NE(box->text.find(".exe\" cannot be found."), std::string::npos) << box->text;
                driver::Dismiss(*box, IDCANCEL);
            }
            ASSERT_TRUE(run.log.WaitFor("DONE", kStepTimeout, before + 1)) << "the click never returned";
            const Outcome outcome = r.release && link.outcome == Outcome::NeverTheBestFitName
                                        ? Outcome::Message12
                                        : link.outcome;
            switch (outcome) {
                case Outcome::Starts:
                    EXPECT_FALSE(boxShown) << "message 12 for a program that exists";
                    EXPECT_TRUE(boxShown ||
                                driver::WaitUntil([&] { return Launches(disc, link.folder) > 0; }, kStepTimeout));
                    break;
                case Outcome::Message12:
                    EXPECT_TRUE(boxShown) << "no message 12 for a missing program";
                    break;
                case Outcome::NeverTheBestFitName:
                    EXPECT_TRUE(boxShown ||
                                driver::WaitUntil([&] { return Launches(disc, link.folder) > 0; }, kStepTimeout))
                        << "neither started nor reported\n"
                        << run.log.Text();
                    break;
            }
        }
        // A second start would come now; its absence leaves no mark to wait for.
        driver::Pause(500);
        for (const LinkCase* row : cases) {
            const LinkCase& link = *row;
            if (link.outcome == Outcome::Starts) {
                EXPECT_EQ(Launches(disc, link.folder), 1) << link.id;
            } else if (link.outcome == Outcome::NeverTheBestFitName) {
                EXPECT_LE(Launches(disc, link.folder), 1) << link.id;
            }
        }
        if (bestFitCheck) {
            EXPECT_EQ(Launches(disc, kUtf8BestFit), 0) << "a best-fit name started another program";
        }
        ExpectNoTeardownInEvent(run);
    }
}

// ---- Closing from the page --------------------------------------------------------------------

TEST_F(HostedPage, CloseAddressesAndScriptCloseRunTheClosingSequence) {
    struct CloseCase {
        const char* href;  // the link clicked, or null for the page's script calling window.close()
        const char* control = "";  // the release the stand-in behaves as (protocol.h)
    };
    for (const CloseCase& row :
         {CloseCase{"about:close"}, CloseCase{"javascript:window.close();"},
          CloseCase{"javascript:self.close();"}, CloseCase{nullptr},
          // Before IE 5.5 no WindowClosing asks: the control destroys its own window.
          CloseCase{nullptr, "ie5"}}) {
        SCOPED_TRACE(std::string(row.href ? row.href : "script window.close()") + " " + row.control);
        SampleDisc disc;
        disc.Write("index.html", std::string("<html><body><a id=\"close\" href=\"") +
                                     (row.href ? row.href : "second.html") + "\">close</a></body></html>");
        disc.Write("autorun.inf", "[velvane]\r\nstartpage=index.html\r\n");
        HostedRun run(disc, {{standin::kControlVariable, row.control}});
        ASSERT_TRUE(run.Started()) << run.log.Text();
        ASSERT_TRUE(run.Send(row.href ? "click close" : "windowclose"));
        if (*row.control) {
            EXPECT_TRUE(run.log.WaitFor(standin::kOwnWindowGone, kStepTimeout)) << "the control never closed";
        }
        EXPECT_TRUE(driver::WaitUntil([&] { return !IsWindowVisible(run.main); }, kStepTimeout))
            << "the window was not hidden";
        EXPECT_EQ(run.process.WaitForExit(kExitTimeout), std::optional<DWORD>(0));
        EXPECT_FALSE(run.log.Contains(standin::kOwnQuestion)) << "the browser asked the user";
        ExpectNoTeardownInEvent(run);
    }
}

// ---- New windows --------------------------------------------------------------------------------

// Every control: the one that names the address in NewWindow3 (XP SP2 and later), those that
// raise NewWindow2 alone (before XP SP2, the menu hands them a hidden browser that learns the
// address), and one that raises both for one request.
TEST_F(HostedPage, NewWindowRequestsNeverOpenAWindowOutsideTheMenu) {
    struct Control {
        const char* release;  // as the stand-in's setting names it
        bool namesAddresses;  // raises NewWindow3
    };
    for (const Control& control : {Control{"", true}, Control{"both", true}, Control{"ie6", false},
                                   Control{"ie5", false}}) {
        SCOPED_TRACE(std::string("control ") + control.release);
        SampleDisc disc;
        PutRecorder(disc, "setup");
        disc.Write("index.html",
                   "<html><body><a id=\"blankprogram\" href=\"setup/tool.exe\" target=\"_blank\">p</a>"
                   "<a id=\"blankpage\" href=\"second.html\" target=\"_blank\">b</a>"
                   "<a id=\"page\" href=\"second.html\">s</a>"
                   "<a id=\"blankclose\" href=\"about:close\" target=\"_blank\">c</a></body></html>");
        disc.Write("second.html", "<html><body><a id=\"home\" href=\"index.html\">home</a></body></html>");
        disc.Write("autorun.inf", "[velvane]\r\nstartpage=index.html\r\n");
        HostedRun run(disc, {{standin::kControlVariable, control.release}});
        ASSERT_TRUE(run.Started()) << run.log.Text();

        // Each request, and how many pages the menu's own window has loaded after it.
        struct Step {
            const char* command;
            int pagesLoaded;
            int pagesLoadedWithoutNewWindow3;
        };
        const Step steps[] = {
            {"click blankprogram", 1, 1},  // the program starts; the page stays
            {"click blankpage", 2, 2},     // the page opens in the menu's own window
            {"click home", 3, 3},
            {"shiftclick page", 4, 4},
            {"click home", 5, 5},
            {"key ctrl+n", 6, 6},
            // From now on NewWindow2 alone. A control that has named its addresses in NewWindow3
            // has that refused; one that never names them has each request caught.
            {"newwindow2", 6, 6},
            {"click blankpage", 6, 7},
            {"click home", 6, 8},  // no such link on the start page, where the refusals left it
            {"shiftclick page", 6, 9},
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.command);
            ASSERT_TRUE(run.Run(step.command)) << run.log.Text();
            int pages = control.namesAddresses ? step.pagesLoaded : step.pagesLoadedWithoutNewWindow3;
            ASSERT_TRUE(run.WaitForReady(pages)) << run.log.Text();
            EXPECT_EQ(run.log.Count("READY"), pages) << "a request handled twice\n" << run.log.Text();
        }
        EXPECT_TRUE(driver::WaitUntil([&] { return Launches(disc, "setup") == 1; }, kStepTimeout));
        EXPECT_FALSE(run.log.Contains(standin::kOutsideWindow)) << run.log.After(standin::kOutsideWindow);
        EXPECT_TRUE(VisibleBoxes(run.process.Id()).empty());

        ExpectNoTeardownInEvent(run);
        PostMessageA(run.main, WM_CLOSE, 0, 0);
        ASSERT_EQ(run.process.WaitForExit(kExitTimeout), std::optional<DWORD>(0)) << run.log.Text();
        ExpectNoTeardownInEvent(run);
        DeleteFileA(run.log.Path().c_str());

        // A close address meant for another window closes the menu.
        HostedRun closing(disc, {{standin::kControlVariable, control.release}});
        ASSERT_TRUE(closing.Started()) << closing.log.Text();
        ASSERT_TRUE(closing.Send("click blankclose"));
        EXPECT_TRUE(driver::WaitUntil([&] { return !IsWindowVisible(closing.main); }, kStepTimeout))
            << closing.log.Text();
        EXPECT_EQ(closing.process.WaitForExit(kExitTimeout), std::optional<DWORD>(0));
        EXPECT_FALSE(closing.log.Contains(standin::kOutsideWindow));
        ExpectNoTeardownInEvent(closing);
    }
}

// ---- What the host tells the browser ----------------------------------------------------------

// The last value `key` has in the log ("key=value" up to the next blank or line end).
std::string LastValue(const std::string& log, const std::string& key) {
    std::size_t at = log.rfind(key + "=");
    if (at == std::string::npos) return "(none)";
    std::size_t start = at + key.size() + 1;
    return log.substr(start, log.find_first_of(" \r\n", start) - start);
}

TEST_F(HostedPage, HostFlagsDownloadControlAndContextMenuFollowTheSettings) {
    for (int combination = 0; combination < 8; ++combination) {
        bool noScrollBars = combination & 1, hideContextMenu = combination & 2, offline = combination & 4;
        SCOPED_TRACE("noscrollbars=" + std::to_string(noScrollBars) + " hidecontextmenu=" +
                     std::to_string(hideContextMenu) + " forceofflinemode=" + std::to_string(offline));
        SampleDisc disc;
        disc.Write("autorun.inf", "[velvane]\r\nstartpage=index.html\r\nnoscrollbars=" +
                                      std::to_string(noScrollBars) + "\r\nhidecontextmenu=" +
                                      std::to_string(hideContextMenu) + "\r\nforceofflinemode=" +
                                      std::to_string(offline) + "\r\n");
        HostedRun run(disc);
        ASSERT_TRUE(run.Started()) << run.log.Text();
        ASSERT_TRUE(run.Run("rightclick"));
        std::string log = run.log.Text();
        EXPECT_EQ(LastValue(log, "flags"), noScrollBars ? "0x0000000C" : "0x00000004") << log;
        EXPECT_EQ(LastValue(log, "cbSize"), LastValue(log, "expected")) << "the record size of this build";
        EXPECT_EQ(LastValue(log, "doubleclick"), "0");
        EXPECT_EQ(LastValue(log, "AMBIENT DLCONTROL"), "i4:112");
        EXPECT_NE(log.find(offline ? "host> put_Offline(true)" : "host> put_Offline(false)"), std::string::npos);
        EXPECT_NE(log.find(hideContextMenu ? "ShowContextMenu(CONTEXT_MENU_DEFAULT) -> 0x00000000"
                                           : "ShowContextMenu(CONTEXT_MENU_DEFAULT) -> 0x00000001"),
                  std::string::npos)
            << log;
        EXPECT_EQ(log.find(standin::kOwnContextMenu) != std::string::npos, !hideContextMenu);
    }
}

// ---- Tool buttons and the document ------------------------------------------------------------

void WriteToolbarDisc(const SampleDisc& disc, const std::string& words) {
    for (const char* word : {"copy", "search", "print", "goback", "goforward"}) {
        disc.Write(std::string("buttons\\") + word + ".bmp", PlainBitmap(24, 24));
    }
    disc.Write("index.html", "<html><body><a id=\"next\" href=\"second.html\">next</a></body></html>");
    disc.Write("second.html", "<html><body>second</body></html>");
    disc.Write("autorun.inf", "[velvane]\r\nstartpage=index.html\r\ntoolbar=" + words + "\r\n");
}

TEST_F(HostedPage, PrintCopyAndSearchReachThePageOnlyOnceItHasLoaded) {
    SampleDisc disc;
    WriteToolbarDisc(disc, "copy,search,print");
    {
        HostedRun run(disc, {{standin::kHoldVariable, "1"}}, false);
        ASSERT_TRUE(run.Started(false)) << run.log.Text();
        HWND toolBar = ToolBarOf(run.main);
        driver::ClickToolButton(toolBar, 0);
        driver::ClickToolButton(toolBar, 1);
        driver::Pause(500);  // commands held back leave no mark to wait for: time passes
        EXPECT_FALSE(run.log.Contains(standin::kPageCommand)) << "a command reached a page not yet there";
        EXPECT_TRUE(VisibleBoxes(run.process.Id()).empty());
        ASSERT_TRUE(run.Run("complete"));
        ASSERT_TRUE(run.WaitForReady(1));
        for (int button = 0; button < 3; ++button) driver::ClickToolButton(toolBar, button);
        for (const char* command : {"copy", "find", "print"}) {
            EXPECT_TRUE(run.log.WaitFor(std::string(standin::kPageCommand) + " " + command, kStepTimeout))
                << command << "\n" << run.log.Text();
        }
        EXPECT_TRUE(VisibleBoxes(run.process.Id()).empty());
    }
    // Before the page has loaded there is nothing to print: the report, and the end.
    HostedRun run(disc, {{standin::kHoldVariable, "1"}}, false);
    ASSERT_TRUE(run.Started(false)) << run.log.Text();
    driver::ClickToolButton(ToolBarOf(run.main), 2);
    std::optional<driver::MessageBoxInfo> box = driver::WaitForMessageBox(run.process.Id(), kStepTimeout);
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find("The current page cannot be printed."), std::string::npos) << box->text;
    driver::Dismiss(*box, IDCANCEL);
    EXPECT_EQ(run.process.WaitForExit(kExitTimeout), std::optional<DWORD>(0));
}

TEST_F(HostedPage, BackAndForwardFollowTheBrowsersCommandStates) {
    SampleDisc disc;
    WriteToolbarDisc(disc, "goback,goforward");
    HostedRun run(disc);
    ASSERT_TRUE(run.Started()) << run.log.Text();
    HWND toolBar = ToolBarOf(run.main);
    driver::ClickToolButton(toolBar, 0);
    driver::ClickToolButton(toolBar, 1);
    driver::Pause(500);  // buttons that do nothing leave no mark to wait for: time passes
    EXPECT_FALSE(run.log.Contains("host> GoBack")) << "back with no page behind";
    EXPECT_FALSE(run.log.Contains("host> GoForward")) << "forward with no page ahead";

    ASSERT_TRUE(run.Run("click next"));
    ASSERT_TRUE(run.WaitForReady(2));
    driver::ClickToolButton(toolBar, 0);
    EXPECT_TRUE(run.log.WaitFor("host> GoBack -> S_OK", kStepTimeout));
    EXPECT_TRUE(run.WaitForReady(3));
    driver::ClickToolButton(toolBar, 1);
    EXPECT_TRUE(run.log.WaitFor("host> GoForward -> S_OK", kStepTimeout));
    EXPECT_TRUE(run.WaitForReady(4));
    driver::ClickToolButton(toolBar, 1);  // nothing ahead any more
    driver::Pause(500);                   // so nothing to wait for: time passes
    EXPECT_EQ(run.log.Count("host> GoForward"), 1);
    EXPECT_FALSE(run.log.Contains("no history")) << run.log.Text();
    EXPECT_TRUE(VisibleBoxes(run.process.Id()).empty());
}

// ---- The keyboard -----------------------------------------------------------------------------

// Waits until the keyboard focus is in the page, inside the main window, where the keys must go.
// Keys pressed before would go elsewhere; the counts the test expects then tell.
void WaitForFocusInThePage(HWND main) {
    driver::WaitUntil(
        [main] {
            HWND focus = driver::FocusedWindow(main);
            return focus && IsChild(main, focus);
        },
        kStepTimeout);
}

// Tab, PgDn and a wheel turn, each where the system delivers it: to the focused window.
void PressPageKeys(HWND main) {
    HWND focus = driver::FocusedWindow(main);
    HWND target = focus ? focus : main;
    driver::PressKey(target, VK_TAB);
    driver::PressKey(target, VK_NEXT);
    RECT area{};
    GetWindowRect(target, &area);
    PostMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 MAKELPARAM(area.left + 20, area.top + 20));
}

// The page got each of the three `times` times in all (the wheel comes last).
void ExpectPageKeys(const HostedRun& run, int times, const char* when) {
    std::string mark = std::string(standin::kPageKey) + " ";
    run.log.WaitFor(mark + "Wheel", 3000, times);
    for (const char* key : {"Tab", "PgDn", "Wheel"}) {
        EXPECT_GE(run.log.Count(mark + key), times) << when << ": " << key << " never reached the page";
    }
}

TEST_F(HostedPage, TabPgDnAndTheWheelReachThePageAfterStartAndAfterAltTab) {
    SampleDisc disc;
    disc.Write("index.html", "<html><body><a id=\"one\" href=\"a.html\">a</a><a href=\"b.html\">b</a></body></html>");
    disc.Write("autorun.inf", "[velvane]\r\nstartpage=index.html\r\n");
    HostedRun run(disc);
    ASSERT_TRUE(run.Started()) << run.log.Text();
    WaitForFocusInThePage(run.main);
    PressPageKeys(run.main);
    ExpectPageKeys(run, 1, "after start");

    // Alt+Tab away and back. The control's thread makes the switch: without a window manager
    // the display does not move the activation to another program's window on request
    // (SetForegroundWindow from this process leaves it where it is).
    ASSERT_TRUE(run.Run("alttab"));
    ASSERT_TRUE(run.log.Contains("the menu is active again: yes")) << run.log.Text();
    EXPECT_TRUE(run.log.WaitFor("host> OnFrameWindowActivate(TRUE)", 3000)) << "activation not forwarded";
    WaitForFocusInThePage(run.main);
    PressPageKeys(run.main);
    ExpectPageKeys(run, 2, "after Alt+Tab");
}

// ---- A close request under message 12 ---------------------------------------------------------

TEST_F(HostedPage, ACloseRequestWhileMessage12IsUpEndsCleanlyAfterTheBox) {
    SampleDisc disc;
    disc.Write("index.html", "<html><body><a id=\"missing\" href=\"setup/missing.exe\">m</a></body></html>");
    disc.Write("autorun.inf", "[velvane]\r\nstartpage=index.html\r\n");
    HostedRun run(disc);
    ASSERT_TRUE(run.Started()) << run.log.Text();
    ASSERT_TRUE(run.Send("click missing"));
    std::optional<driver::MessageBoxInfo> box = driver::WaitForMessageBox(run.process.Id(), kStepTimeout);
    ASSERT_TRUE(box) << run.log.Text();
    EXPECT_NE(box->text.find("missing.exe\" cannot be found."), std::string::npos) << box->text;
    EXPECT_EQ(GetWindow(box->hwnd, GW_OWNER), run.main) << "the box belongs to the main window";
    EXPECT_FALSE(IsWindowEnabled(run.main)) << "the main window stays usable under its box";
    EXPECT_TRUE(run.log.Contains("host> EnableModeless(FALSE)")) << "the page's own dialogs stay enabled";

    // A second click under the box, then a close request, with time for the closing sequence.
    ASSERT_TRUE(run.Send("click missing"));
    PostMessageA(run.main, WM_CLOSE, 0, 0);
    // The program must not end under its box: time for the whole closing sequence passes, with
    // nothing to wait for.
    driver::Pause(2500);
    EXPECT_EQ(VisibleBoxes(run.process.Id()).size(), 1u) << "a second box over the first";
    EXPECT_TRUE(run.process.Running()) << "the program ended under its own box";
    ExpectNoTeardownInEvent(run);

    // Dismisses whatever box is up until the program has ended.
    driver::WaitUntil(
        [&] {
            for (HWND open : VisibleBoxes(run.process.Id())) PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
            return !run.process.Running();
        },
        kExitTimeout);
    EXPECT_EQ(run.process.WaitForExit(kExitTimeout), std::optional<DWORD>(0)) << run.log.Text();
    ExpectNoTeardownInEvent(run);
}

// ---- Frames and the intro music ---------------------------------------------------------------

TEST_F(HostedPage, AFramesetStartPageKeepsTheMusicUntilAClickInAFrame) {
    SampleDisc disc;
    ASSERT_TRUE(PutRecorder(disc, "setup"));
    disc.Write("intro.wav", std::string("RIFF\x24\0\0\0WAVEfmt ", 16));
    disc.Write("index.html",
               "<html><frameset cols=\"50%,50%\"><frame src=\"top.html\" name=\"top\">"
               "<frame src=\"menu.html\" name=\"menu\"><noframes><a id=\"next\" href=\"second.html\">n</a>"
               "</noframes></frameset><iframe src=\"news.html\"></iframe></html>");
    disc.Write("top.html", "<html><body><a id=\"program\" href=\"setup/tool.exe\">p</a>"
                           "<a id=\"close\" href=\"about:close\">c</a></body></html>");
    disc.Write("menu.html", "<html><body><a id=\"page\" href=\"second.html\">s</a></body></html>");
    for (const char* page : {"news.html", "second.html"}) disc.Write(page, "<html><body>frame</body></html>");
    disc.Write("autorun.inf", "[velvane]\r\nstartpage=index.html\r\nintromusic=intro.wav\r\nstopmusiconclick=1\r\n");
    HostedRun run(disc);
    ASSERT_TRUE(run.Started()) << run.log.Text();
    ASSERT_TRUE(run.log.Contains("watching the program's PlaySoundA")) << "the music cannot be observed";
    EXPECT_EQ(run.log.Count("(frame) goes on"), 3) << run.log.Text();
    EXPECT_FALSE(run.log.Contains("MUSIC-STOPPED")) << "the frames stopped the music";

    // The user's clicks inside the frames, once the page has loaded.
    ASSERT_TRUE(run.Run("frameclick 1 page"));
    EXPECT_EQ(run.log.Count("FRAME-LOADED"), 4) << "the frame did not load the page\n" << run.log.Text();
    EXPECT_TRUE(run.log.Contains("MUSIC-STOPPED")) << "a click in a frame did not stop the music";
    ASSERT_TRUE(run.Run("frameclick 0 program"));
    driver::WaitUntil([&] { return Launches(disc, "setup") > 0; }, kStepTimeout);
    driver::Pause(500);  // a second start would come now; its absence leaves no mark to wait for
    EXPECT_EQ(Launches(disc, "setup"), 1) << "a program linked in a frame";
    ASSERT_TRUE(run.Send("frameclick 0 close"));
    EXPECT_EQ(run.process.WaitForExit(kExitTimeout), std::optional<DWORD>(0)) << "about:close in a frame";
    ExpectNoTeardownInEvent(run);
}

// ---- Close requests under the control's own modal UI ------------------------------------------

// The print dialog (print()), the find dialog and a script's message box run their modal loops on
// the stack of a call between the program and the control. A close request that comes meanwhile
// hides the window at once, but the control is torn down only once the call has returned. The
// modal UI stays up long enough for the whole closing sequence to come round inside it.
TEST_F(HostedPage, ACloseRequestDuringTheControlsModalUIEndsCleanlyAfterIt) {
    struct ModalCase {
        const char* what;  // the modal UI, as the stand-in's log names it
        int button;        // its tool button (toolbar=print,search), or -1: the page's script
    };
    for (const ModalCase& row : {ModalCase{"print", 0}, ModalCase{"find", 1}, ModalCase{"alert", -1}}) {
        SCOPED_TRACE(row.what);
        SampleDisc disc;
        WriteToolbarDisc(disc, "print,search");
        HostedRun run(disc, {{standin::kModalVariable, "4000"}});
        ASSERT_TRUE(run.Started()) << run.log.Text();
        if (row.button >= 0) {
            driver::ClickToolButton(ToolBarOf(run.main), row.button);
        } else {
            ASSERT_TRUE(run.Send("alert"));
        }
        ASSERT_TRUE(run.log.WaitFor(std::string(standin::kModalBegin) + " " + row.what, kStepTimeout))
            << run.log.Text();
        PostMessageA(run.main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(driver::WaitUntil([&] { return !IsWindowVisible(run.main); }, kStepTimeout))
            << "the window was not hidden";
        EXPECT_EQ(run.process.WaitForExit(kExitTimeout), std::optional<DWORD>(0)) << run.log.Text();
        EXPECT_FALSE(run.log.Contains(standin::kTeardownInModal)) << run.log.After(standin::kTeardownInModal);
        ExpectNoTeardownInEvent(run);
        const std::string log = run.log.Text();
        const std::size_t modalEnd = log.find(std::string(standin::kModalEnd) + " " + row.what);
        const std::size_t teardown = log.find("host> SetClientSite(NULL)");
        EXPECT_NE(teardown, std::string::npos) << "the control was never torn down\n" << log;
        EXPECT_LT(modalEnd, teardown) << "torn down before the modal UI ended\n" << log;
    }
}

}  // namespace
}  // namespace velvane::e2e
