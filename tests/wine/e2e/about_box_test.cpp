// The about command and the about box, read from outside: the command opens the box modally and
// on top, once per command; the box's controls, its ways to close, its links and its shadow.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "case_name.h"
#include "e2e/about_box_session.h"

namespace velvane::e2e {
namespace {

// The panel's control ids, as the program numbers them.
constexpr int kOkButtonId = IDOK;
constexpr int kLabel1Id = 1001;
constexpr int kVersionLabelId = 1002;
constexpr int kNoticeLine1Id = 1003;
constexpr int kNoticeLine2Id = 1004;
constexpr int kNoticeLine3Id = 1005;
constexpr int kLabel4Id = 1006;
constexpr int kWebLinkId = 1007;
constexpr int kLabel6Id = 1008;
constexpr int kMailLinkId = 1009;

constexpr char kWebAddress[] = "http://velvane.example/";
constexpr char kMailTarget[] = "mailto:info@velvane.example";

// ---- The command -------------------------------------------------------------------------

struct Delivery {
    const char* name;
    // Sends the about command (or another system command) the way this case delivers it.
    std::function<void(const AboutBoxSession&, WPARAM)> deliver;
};

const Delivery kDeliveries[] = {
    // Through the queue: the application's message hook serves it.
    {"PostedToTheMainWindow",
     [](const AboutBoxSession& s, WPARAM command) {
         PostMessageA(s.MainWindow(), WM_SYSCOMMAND, command, 0);
     }},
    // The task-bar button's menu posts to the application window.
    {"PostedToTheApplicationWindow",
     [](const AboutBoxSession& s, WPARAM command) {
         PostMessageA(s.ApplicationWindow(), WM_SYSCOMMAND, command, 0);
     }},
    // Straight to the main window's procedure, past queue and hook.
    {"SentToTheMainWindow",
     [](const AboutBoxSession& s, WPARAM command) {
         SendNotifyMessageA(s.MainWindow(), WM_SYSCOMMAND, command, 0);
     }},
};

class AboutCommand : public testing::TestWithParam<Delivery> {};

TEST_P(AboutCommand, OpensTheBoxModallyAndOnTopOncePerCommand) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("command " + std::to_string(round));
        GetParam().deliver(session, kAboutCommand);
        ASSERT_TRUE(session.WaitForBoxShown()) << "the about box never opened";

        driver::WindowInfo box = session.ReadBox();
        EXPECT_EQ(Width(box.rect), kBoxWidth);
        EXPECT_EQ(Height(box.rect), kAboutHeight);
        EXPECT_EQ(Width(box.clientRect), kBoxWidth) << "the box has no border";
        EXPECT_EQ(Height(box.clientRect), kAboutHeight);
        POINT centred = CentredTopLeft(kBoxWidth, kAboutHeight);
        EXPECT_EQ(box.rect.left, centred.x);
        EXPECT_EQ(box.rect.top, centred.y);
        EXPECT_EQ(box.text, "Velvane");
        EXPECT_FALSE(box.style & (WS_CAPTION | WS_THICKFRAME));
        EXPECT_TRUE(box.exStyle & WS_EX_TOPMOST) << "the about box must stay on top";
        EXPECT_FALSE(IsWindowEnabled(session.MainWindow())) << "not modal: the owner is enabled";
        EXPECT_FALSE(IsWindowEnabled(session.ApplicationWindow()));

        driver::Click(session.PanelControl(kOkButtonId));
        ASSERT_TRUE(session.WaitForBoxHidden()) << "the OK button did not close the box";
        EXPECT_TRUE(IsWindowEnabled(session.MainWindow())) << "the owner stayed disabled";
        EXPECT_TRUE(IsWindowEnabled(session.ApplicationWindow()));
        EXPECT_TRUE(session.BoxStaysHidden()) << "one command opened the box twice";
        EXPECT_TRUE(IsWindowVisible(session.MainWindow()));
    }
    EXPECT_TRUE(session.Program().Running());
}

// The whole wParam is compared: neighbours of the about command, and the command with its low
// four bits cleared, are no about commands.
TEST_P(AboutCommand, OtherCommandsOpenNothing) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    for (WPARAM command : {WPARAM{65534}, WPARAM{65520}}) {
        SCOPED_TRACE("command " + std::to_string(command));
        GetParam().deliver(session, command);
        EXPECT_TRUE(session.BoxStaysHidden());
        EXPECT_TRUE(IsWindowVisible(session.MainWindow()));
        EXPECT_TRUE(IsWindowEnabled(session.MainWindow()));
    }
    // The same way of delivery does reach the program: the about command itself opens the box.
    GetParam().deliver(session, kAboutCommand);
    EXPECT_TRUE(session.WaitForBoxShown());
    EXPECT_TRUE(session.Program().Running());
}

INSTANTIATE_TEST_SUITE_P(Deliveries, AboutCommand, testing::ValuesIn(kDeliveries), CaseName());

// While the box is open, more about commands neither nest a second showing nor break the first.
TEST(AboutBox, CommandsWhileOpenAreIgnored) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    session.PostAboutCommand(session.MainWindow());
    ASSERT_TRUE(session.WaitForBoxShown());
    session.PostAboutCommand(session.MainWindow());
    session.SendAboutCommand(session.MainWindow());
    // An ignored command leaves no mark to wait for: time passes, and nothing may have happened.
    driver::Pause(kQuietPeriod);

    driver::Click(session.PanelControl(kOkButtonId));
    ASSERT_TRUE(session.WaitForBoxHidden());
    EXPECT_TRUE(session.BoxStaysHidden()) << "a command given while the box was open was kept";
    EXPECT_TRUE(IsWindowEnabled(session.MainWindow()));
}

// While the closing strip is up, the about command is ignored and the program still ends.
TEST(AboutBox, CommandDuringTheClosingSequenceIsIgnored) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    PostMessageA(session.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(session.WaitForBoxShown());
    session.PostAboutCommand(session.MainWindow());
    session.SendAboutCommand(session.MainWindow());
    // The posted command is handled after the sent one; ignoring it leaves no mark to wait for.
    driver::Pause(100);
    if (session.Program().Running()) {
        EXPECT_EQ(Height(session.ReadBox().rect), kSplashHeight);
    }
    std::optional<DWORD> exitCode = session.Program().WaitForExit(kExitTimeout);
    ASSERT_TRUE(exitCode) << "the closing sequence never ended the program";
    EXPECT_EQ(*exitCode, 0u);
}

// ---- The box -----------------------------------------------------------------------------

struct Control {
    const char* name;
    int id;
    const char* className;
    RECT bounds;  // as designed; right/bottom 0: not checked (sized to the text)
    const char* text;
    LONG style;  // bits that must be set
    // Right-aligned: a font wider than designed may grow it to the left of its left edge.
    bool growsLeft = false;
};

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The controls keep their designed places where the font draws the texts as designed; with
// other metrics (a stand-in for the designed font, as the 64-bit Wine prefix has) a label may
// grow, and the ones after it move aside: no control overlaps another or leaves the panel.
TEST(AboutBox, ComponentsAtTheirPositions) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    // The box makes its parts when it is first shown: open it as the user does.
    session.PostAboutCommand(session.MainWindow());
    ASSERT_TRUE(session.WaitForBoxShown());
    std::vector<driver::ChildInfo> parts = driver::Children(session.Box());
    ASSERT_EQ(parts.size(), 2u) << "the logo strip and the panel";
    EXPECT_EQ(parts[0].window.className, "Static");
    EXPECT_TRUE((parts[0].window.style & SS_TYPEMASK) == SS_BITMAP);
    EXPECT_EQ(parts[0].bounds.left, 0);
    EXPECT_EQ(parts[0].bounds.top, 0);
    EXPECT_EQ(Width(parts[0].bounds), 212);
    EXPECT_EQ(Height(parts[0].bounds), 50);
    EXPECT_EQ(parts[1].window.className, "TAboutBoxPanel");
    EXPECT_EQ(parts[1].bounds.left, 0);
    EXPECT_EQ(parts[1].bounds.top, 50);
    EXPECT_EQ(Width(parts[1].bounds), 212);
    EXPECT_EQ(Height(parts[1].bounds), 249);

    const Control controls[] = {
        {"OKButton",
         kOkButtonId,
         "Button",
         {68, 216, 143, 241},
         "&OK",
         WS_TABSTOP | BS_DEFPUSHBUTTON},
        {"Label1", kLabel1Id, "Static", {8, 8, 0, 0}, "Velvane", 0},
        {"VersionLabel",
         kVersionLabelId,
         "Static",
         {146, 8, 206, 0},
         "Version 2.02",
         SS_RIGHT,
         true},
        {"Notice1", kNoticeLine1Id, "Static", {8, 24, 113, 0}, nullptr, 0},
        {"Notice2", kNoticeLine2Id, "Static", {8, 40, 0, 0}, nullptr, 0},
        {"Notice3", kNoticeLine3Id, "Static", {8, 56, 0, 0}, nullptr, 0},
        {"Label4", kLabel4Id, "Static", {8, 72, 0, 0}, "Web:", 0},
        {"Label5", kWebLinkId, "Static", {48, 72, 0, 0}, kWebAddress, SS_NOTIFY},
        {"Label6", kLabel6Id, "Static", {8, 88, 0, 0}, "E-mail:", 0},
        {"Label7", kMailLinkId, "Static", {48, 88, 0, 0}, "info@velvane.example", SS_NOTIFY},
    };
    std::vector<driver::ChildInfo> children = driver::Children(parts[1].window.hwnd);
    ASSERT_FALSE(children.empty());
    EXPECT_EQ(children[0].id, kOkButtonId) << "the OK button leads the tab order";
    std::optional<driver::ChildInfo> notice = driver::ChildWithId(parts[1].window.hwnd,
                                                                  kNoticeLine1Id);
    ASSERT_TRUE(notice);
    const bool asDesigned = Height(notice->bounds) <= 16;
    std::vector<RECT> placed;
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        std::optional<driver::ChildInfo> child = driver::ChildWithId(parts[1].window.hwnd, c.id);
        ASSERT_TRUE(child);
        EXPECT_STRCASEEQ(child->window.className.c_str(), c.className);
        if (c.growsLeft) {
            EXPECT_LE(child->bounds.left, c.bounds.left);
        } else {
            EXPECT_GE(child->bounds.left, c.bounds.left);
        }
        if (asDesigned) {
            EXPECT_EQ(child->bounds.top, c.bounds.top);
        } else {
            EXPECT_GE(child->bounds.top, c.bounds.top);
        }
        if (c.bounds.right && c.id != kOkButtonId) {
            EXPECT_EQ(child->bounds.right, c.bounds.right);
        }
        if (c.text) {
            EXPECT_EQ(child->window.text, c.text);
        }
        if (!c.text) {
            EXPECT_FALSE(child->window.text.empty());
        }
        EXPECT_EQ(child->window.style & c.style, c.style);
        EXPECT_LE(child->bounds.right, 212 - 1) << "runs into the panel's edge";
        EXPECT_LE(child->bounds.bottom, 249 - 1) << "runs into the panel's edge";
        EXPECT_GT(Width(child->bounds), 0);
        if (c.id == kOkButtonId) {
            EXPECT_EQ(Width(child->bounds), 75);
            EXPECT_EQ(Height(child->bounds), 25);
        } else if (c.id != kNoticeLine1Id) {
            EXPECT_LE(Height(child->bounds), 16) << "a one-line label";
        }
        for (const RECT& other : placed) {
            EXPECT_FALSE(Overlap(child->bounds, other)) << "overlaps a control placed before it";
        }
        placed.push_back(child->bounds);
    }
}

// The logo strip is the bitmap the program carries: its light emblem tile on the left, the
// dark velvet on the right.
TEST(AboutBox, ShowsTheLogoStrip) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    session.PostAboutCommand(session.MainWindow());
    ASSERT_TRUE(session.WaitForBoxShown());
    RECT box = session.ReadBox().rect;
    struct Sample {
        int x, y;
        COLORREF colour;
    };
    const Sample samples[] = {{10, 25, RGB(251, 230, 242)}, {200, 10, RGB(44, 10, 61)}};
    for (const Sample& sample : samples) {
        SCOPED_TRACE(std::to_string(sample.x) + "," + std::to_string(sample.y));
        COLORREF seen = CLR_INVALID;
        EXPECT_TRUE(driver::WaitUntil(
            [&] {
                seen = driver::ScreenPixel(box.left + sample.x, box.top + sample.y);
                return driver::ColoursClose(seen, sample.colour, 8);
            },
            kWindowTimeout))
            << std::hex << "seen 0x" << seen;
    }
}

// ---- Ways to close the box ----------------------------------------------------------------

// The link targets are handed to the shell; the test points the shell's "open" command of the
// two protocols at a recorder for the time of the test, and restores what was there.
class ShellOpenRecorder {
public:
    ShellOpenRecorder(const std::string& protocol, const std::string& recordFile)
        : keyPath_("Software\\Classes\\" + protocol + "\\shell\\open\\command") {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath_.c_str(), 0, KEY_ALL_ACCESS, &key_) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        char old[1024] = {};
        DWORD size = sizeof old - 1;
        hadOld_ = RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                                   &size) == ERROR_SUCCESS;
        old_ = old;
        std::string command = "C:\\windows\\system32\\cmd.exe /c echo %1>\"" + recordFile + "\"";
        set_ =
            RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
    }
    ~ShellOpenRecorder() {
        if (!key_) return;
        if (hadOld_) {
            RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                           static_cast<DWORD>(old_.size() + 1));
        } else {
            RegDeleteValueA(key_, nullptr);
        }
        RegCloseKey(key_);
    }
    ShellOpenRecorder(const ShellOpenRecorder&) = delete;
    ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;

    bool Set() const { return set_; }

private:
    std::string keyPath_;
    HKEY key_ = nullptr;
    bool hadOld_ = false;
    std::string old_;
    bool set_ = false;
};

std::string ReadRecord(const std::string& path) {
    std::string text = driver::ReadFileText(path);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

struct CloseWay {
    const char* name;
    std::function<void(const AboutBoxSession&)> act;
    const char* shellTarget;  // what the shell must be asked to open, or nullptr
};

const CloseWay kCloseWays[] = {
    {"OkButton", [](const AboutBoxSession& s) { driver::Click(s.PanelControl(kOkButtonId)); },
     nullptr},
    {"Enter",
     [](const AboutBoxSession& s) { driver::PressKey(driver::FocusedWindow(s.Box()), VK_RETURN); },
     nullptr},
    {"Escape",
     [](const AboutBoxSession& s) { driver::PressKey(driver::FocusedWindow(s.Box()), VK_ESCAPE); },
     nullptr},
    {"AltF4", [](const AboutBoxSession& s) { driver::PressAltF4(driver::FocusedWindow(s.Box())); },
     nullptr},
    {"WebLink", [](const AboutBoxSession& s) { driver::Click(s.PanelControl(kWebLinkId)); },
     kWebAddress},
    {"MailLink", [](const AboutBoxSession& s) { driver::Click(s.PanelControl(kMailLinkId)); },
     kMailTarget},
};

class AboutBoxClosing : public testing::TestWithParam<CloseWay> {};

TEST_P(AboutBoxClosing, ClosesTheBoxAndTheProgramRunsOn) {
    AboutBoxSession session;
    ASSERT_TRUE(session.Ready());
    std::string record = session.Folder() + "shell-open.txt";
    ShellOpenRecorder web("http", record);
    ShellOpenRecorder mail("mailto", record);
    ASSERT_TRUE(web.Set() && mail.Set()) << "cannot redirect the shell's open command";

    session.PostAboutCommand(session.MainWindow());
    ASSERT_TRUE(session.WaitForBoxShown());
    // Keys go where the focus is: the OK button, the first control in the tab order.
    ASSERT_TRUE(driver::WaitUntil(
        [&] { return driver::FocusedWindow(session.Box()) == session.PanelControl(kOkButtonId); },
        kWindowTimeout))
        << "the OK button does not have the focus";

    GetParam().act(session);
    ASSERT_TRUE(session.WaitForBoxHidden()) << "the box stayed open";
    EXPECT_TRUE(IsWindowEnabled(session.MainWindow()));
    EXPECT_TRUE(IsWindowVisible(session.MainWindow()));
    if (GetParam().shellTarget) {
        EXPECT_TRUE(driver::WaitUntil([&] { return !ReadRecord(record).empty(); }, kWindowTimeout))
            << "the shell was never asked to open the link";
        EXPECT_EQ(ReadRecord(record), GetParam().shellTarget);
    }
    EXPECT_TRUE(session.BoxStaysHidden());
    EXPECT_TRUE(session.Program().Running());
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutBoxClosing, testing::ValuesIn(kCloseWays), CaseName());

// ---- The drop shadow ----------------------------------------------------------------------

struct Release {
    const char* name;
    const char* wineVersion;
    bool dropShadow;
};

class AboutBoxShadow : public testing::TestWithParam<Release> {};

// Each case runs the program under a name of its own: cases run side by side, and Wine keys the
// pretended release on the program's name.
TEST_P(AboutBoxShadow, ClassCarriesTheDropShadowOnXpOnly) {
    std::string programName = std::string("about-") + GetParam().name + ".exe";
    driver::PretendedRelease release(programName, GetParam().wineVersion);
    AboutBoxSession session({}, programName);
    ASSERT_TRUE(session.Ready());
    EXPECT_EQ((session.ReadBox().classStyle & CS_DROPSHADOW) != 0, GetParam().dropShadow);
}

INSTANTIATE_TEST_SUITE_P(Releases, AboutBoxShadow,
                         testing::Values(Release{"WindowsXp", "winxp", true},
                                         Release{"Windows2003", "win2003", true},
                                         Release{"Windows2000", "win2k", false},
                                         Release{"Windows7", "win7", false}),
                         CaseName());

}  // namespace
}  // namespace velvane::e2e
