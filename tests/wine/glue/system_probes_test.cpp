// The system probes against what Wine reports: the Windows release (under several pretended
// releases) and the installed browser's version.

#include <gtest/gtest.h>

#include <string>

#include "browserhost/ie_utils_win.h"
#include "window/browser_window.h"
#include "case_name.h"
#include "driver/driver.h"
#include "sysinfo/windows_version_win.h"
#include "win32/variant_win.h"

namespace velvane {
namespace {

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

struct ReleaseCase {
    const char* name;
    const char* wineVersion;  // as winecfg names it
    int code;
};

class WindowsVersionProbe : public testing::TestWithParam<ReleaseCase> {};

// The probe runs in a program of its own: Wine fixes the reported release when a process starts.
// Each case runs its own copy under its own name, so that cases run side by side cannot see each
// other's pretended release.
TEST_P(WindowsVersionProbe, ClassifiesThePretendedRelease) {
    std::string folder = OwnFolder();
    std::string name = std::string("version_probe_") + GetParam().name + ".exe";
    ASSERT_TRUE(CopyFileA((folder + "version_probe.exe").c_str(), (folder + name).c_str(), FALSE));
    {
        driver::PretendedRelease release(name, GetParam().wineVersion);
        driver::Process probe = driver::Start(folder + name, folder);
        std::optional<DWORD> code = probe.WaitForExit(30000);
        ASSERT_TRUE(code) << "the probe did not end";
        EXPECT_EQ(static_cast<int>(*code), GetParam().code);
    }
    DeleteFileA((folder + name).c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Releases, WindowsVersionProbe,
    testing::Values(ReleaseCase{"WindowsXP", "winxp", 9}, ReleaseCase{"Windows2000", "win2k", 8},
                    // Wine's Windows 98 reports the service letter " A ": the Second Edition.
                    ReleaseCase{"Windows98SecondEdition", "win98", 4},
                    ReleaseCase{"WindowsMe", "winme", 5}, ReleaseCase{"Windows95", "win95", 1},
                    ReleaseCase{"WindowsNT4", "nt40", 7}, ReleaseCase{"Windows7", "win7", 0}),
    CaseName());

// The system's code page (Windows-1252 in the test prefix) as the program converts with it: once
// asking the system to leave best fit out, once as on a system that refuses that request, where
// the system's own best fit ("Ł" to "L") must be caught by converting back.
TEST(AnsiCodePageProbe, NoLookAlikeWhetherOrNotTheSystemLeavesBestFitOut) {
    ASSERT_EQ(GetACP(), 1252u) << "the rows below are written for Windows-1252";
    char plain[4] = {};
    WideCharToMultiByte(CP_ACP, 0, L"\u0141", 1, plain, sizeof plain, nullptr, nullptr);
    ASSERT_STREQ(plain, "L") << "the system's plain conversion has no look-alike to catch";
    struct Case {
        const wchar_t* text;
        std::string ansi;
        bool exact;
    } const cases[] = {
        {L"D:\\setup.exe", "D:\\setup.exe", true},
        {L"D:\\\u00E4\u20AC\\setup.exe", "D:\\\xE4\x80\\setup.exe", true},
        {L"D:\\\u0141\u00F3d\u017A\\setup.exe", "D:\\?\xF3" "d?\\setup.exe", false},
        {L"\u4E2D\U0001F600.exe", "???.exe", false},
    };
    for (const Case& c : cases) {
        for (BestFitRequest request : {BestFitRequest::Offered, BestFitRequest::Withheld}) {
            SCOPED_TRACE(testing::Message() << c.ansi << (request == BestFitRequest::Offered
                                                              ? " offered" : " withheld"));
            AnsiText converted = ConvertToAnsi(c.text, request);
            EXPECT_EQ(converted.text, c.ansi);
            EXPECT_EQ(converted.exact, c.exact);
        }
    }
}

TEST(BrowserVersionProbe, ReadsTheWebBrowserLibrarysFileVersion) {
    std::string version = GetIEVersion();
    ASSERT_FALSE(version.empty());
    EXPECT_TRUE(version[0] >= '0' && version[0] <= '9') << version;
    // Wine's library reports a version the gate accepts, so the embedded browser is used.
    EXPECT_FALSE(UseExternalBrowserFor(version)) << version;
}

// Closing all help windows is harmless with none open: the call neither fails nor shows a system
// box. The library is loaded by the first call and kept: later calls reuse that same module
// rather than loading and freeing it each time.
TEST(HtmlHelpLoader, AnswersWithoutHelpFileAndKeepsTheLibraryLoaded) {
    constexpr UINT kCloseAll = 0x0012;  // HH_CLOSE_ALL
    CallHtmlHelp(nullptr, std::string(), kCloseAll, 0);
    HMODULE loaded = GetModuleHandleA("hhctrl.ocx");
    ASSERT_NE(loaded, nullptr) << "the first call did not load the help library, or freed it";
    for (int i = 0; i < 2; ++i) {
        CallHtmlHelp(nullptr, std::string(), kCloseAll, 0);
        EXPECT_EQ(GetModuleHandleA("hhctrl.ocx"), loaded);
    }
    EXPECT_FALSE(driver::WaitForMessageBox(GetCurrentProcessId(), 0)) << "a system box came up";
}

}  // namespace
}  // namespace velvane
