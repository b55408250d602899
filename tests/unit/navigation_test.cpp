#include "window/navigation.h"

#include <gtest/gtest.h>

#include "window/navigation_url.h"

#include <sstream>

#include "case_name.h"
#include "core/ascii.h"
#include "window/new_window.h"
#include "window/toolbar_commands.h"

namespace velvane {
namespace {

constexpr char kStartPage[] = "D:\\Index.HTM";

struct NavigationCase {
    const char* name;
    const char* url;
    const char* executeExt;
    bool launch;
    bool close;
};

const NavigationCase kCases[] = {
    {"PlainPathToProgram", "D:\\setup\\install.exe", "exe", true, false},
    {"UpperCaseExtension", "D:\\setup\\INSTALL.EXE", "exe", true, false},
    {"ListInUpperCase", "D:\\setup\\install.exe", "EXE,PDF", true, false},
    {"FileUrlStillHasTheExtension", "file:///D:/setup/install.exe", "exe", true, false},
    {"WebAddressEndingInProgram", "http://example.com/tool.exe", "exe", true, false},
    {"QueryStringJoinsTheExtension", "http://example.com/tool.exe?x=1", "exe", false, false},
    {"HostDotsAndPathFormTheExtension", "http://www.example.com/start", "com/start", true, false},
    {"SecondEntryMatches", "D:\\manual.pdf", "exe,pdf", true, false},
    {"BlankBeforeEntryPreventsMatch", "D:\\manual.pdf", "exe, pdf", false, false},
    {"EmptyEntryMatchesNoExtension", "http://intranet/start", "exe,,pdf", true, false},
    {"LeadingCommaMatchesNoExtension", "about:blank", ",exe", true, false},
    {"TrailingCommaAddsNoEntry", "about:blank", "exe,", false, false},
    {"EmptySettingListsNothing", "D:\\setup.exe", "", false, false},
    {"StartPageExtensionListed", "D:\\Index.HTM", "htm", true, false},
    {"NoDotNoExtension", "D:\\readme", "exe", false, false},
    {"BackslashAfterDotEndsTheExtension", "D:\\v1.2\\readme", "2\\readme", false, false},
    {"AboutClose", "about:close", "exe", false, true},
    {"MixedCaseAboutClose", "About:Close", "exe", false, true},
    {"WindowClose", "JAVASCRIPT:window.close();", "exe", false, true},
    {"SelfClose", "javascript:self.close();", "exe", false, true},
    {"WindowCloseWithoutSemicolon", "javascript:window.close()", "exe", false, false},
    {"AboutCloseWithMore", "about:close?now", "exe", false, false},
    {"AboutCloseWithBlank", " about:close", "exe", false, false},
    // "about:close" has no dot: its extension is empty, so an empty entry cancels it as a
    // launch, and it still closes.
    {"CloseAddressAlsoLaunchCandidate", "about:close", ",exe", true, true},
    {"CloseAddressWithListedExtension", "javascript:self.close();", "close();", true, true},
};

class Navigation : public testing::TestWithParam<NavigationCase> {};

TEST_P(Navigation, DecidesLaunchAndClose) {
    const NavigationCase& c = GetParam();
    NavigationDecision decision = DecideNavigation({c.url, kStartPage, c.executeExt, false});
    EXPECT_EQ(decision.launchFile, c.launch);
    EXPECT_EQ(decision.closeMainWindow, c.close);
    EXPECT_EQ(decision.Cancel(), c.launch || c.close);
    EXPECT_FALSE(decision.stopMusic) << "music only stops when the setting asks for it";
}

INSTANTIATE_TEST_SUITE_P(Urls, Navigation, testing::ValuesIn(kCases), CaseName());

// New-window events in the orders controls raise them: "2" is NewWindow2 (answered with the
// request number of the hidden browser handed out, 0 for a refusal), "3" NewWindow3 ("-"), "nK"
// a navigation of request K's hidden browser (whether it is acted upon).
struct NewWindowCase {
    const char* name;
    const char* events;
    const char* answers;
};

const NewWindowCase kNewWindowCases[] = {
    {"OldControlHasEachRequestCaught", "2 n1 2 n2", "1 yes 2 yes"},
    {"OnlyTheFirstNavigationIsTheRequest", "2 n1 n1", "1 yes no"},
    {"RequestsCaughtOutOfOrder", "2 2 n2 n1", "1 2 yes yes"},
    // A control that raises both for one request: NewWindow3 answers it, the browser is unused.
    {"NewWindow3AfterNewWindow2AnswersTheRequest", "2 3 n1", "1 - no"},
    {"ControlThatNamesAddressesIsRefusedNewWindow2", "3 2 2", "- 0 0"},
};

class NewWindowEvents : public testing::TestWithParam<NewWindowCase> {};

TEST_P(NewWindowEvents, EachRequestIsHandledOnce) {
    NewWindowRequests requests;
    std::istringstream events(GetParam().events);
    std::string event, answers;
    while (events >> event) {
        std::string answer;
        if (event == "2") {
            answer = std::to_string(requests.NewWindow2());
        } else if (event == "3") {
            requests.NewWindow3();
            answer = "-";
        } else {
            auto n = static_cast<std::uint32_t>(std::stoul(event.substr(1)));
            answer = requests.CaughtNavigation(n) ? "yes" : "no";
            EXPECT_FALSE(requests.Waiting(n)) << "request " << n << " still holds its browser";
        }
        answers += (answers.empty() ? "" : " ") + answer;
    }
    EXPECT_EQ(answers, GetParam().answers);
}

INSTANTIATE_TEST_SUITE_P(Orders, NewWindowEvents, testing::ValuesIn(kNewWindowCases), CaseName());

TEST(NavigationMusic, StopsForEverythingButTheStartPage) {
    auto stops = [](const char* url) {
        return DecideNavigation({url, kStartPage, "exe", true}).stopMusic;
    };
    EXPECT_FALSE(stops("D:\\Index.HTM"));
    EXPECT_FALSE(stops("d:\\index.htm"));  // compared without regard to A-Z case
    EXPECT_TRUE(stops("D:/Index.HTM"));    // another spelling of the same file is another text
    EXPECT_TRUE(stops("D:\\pages\\a.htm"));
    EXPECT_TRUE(stops("about:close"));  // close addresses stop it as well
    EXPECT_TRUE(stops("D:\\setup\\install.exe"));
    EXPECT_FALSE(DecideNavigation({"D:\\other.htm", kStartPage, "exe", false}).stopMusic);
}

// While the top-level page loads, its frames' navigations are the page's own; once it has
// completed, a frame's navigation is the user's click in the frame. Either way a frame's
// navigation passes the launch and close filter.
struct FrameMusicCase {
    const char* name;
    const char* url;
    bool topLevel;
    bool pageLoading;
    bool stops;
    bool launch;
    bool close;
};

const FrameMusicCase kFrameMusicCases[] = {
    {"FrameLoadingWithItsPage", "D:\\frames\\menu.htm", false, true, false, false, false},
    {"ProgramInFrameWhileLoading", "D:\\setup.exe", false, true, false, true, false},
    {"CloseInFrameWhileLoading", "about:close", false, true, false, false, true},
    {"ClickInFrameAfterLoad", "D:\\frames\\page2.htm", false, false, true, false, false},
    {"ProgramInFrameAfterLoad", "D:\\setup.exe", false, false, true, true, false},
    {"CloseInFrameAfterLoad", "about:close", false, false, true, false, true},
    {"StartPageInFrameAfterLoad", "d:\\index.htm", false, false, false, false, false},
    {"TopLevelWhileLoading", "D:\\pages\\a.htm", true, true, true, false, false},
};

class FrameMusic : public testing::TestWithParam<FrameMusicCase> {};

TEST_P(FrameMusic, OnlyTheUsersClicksStopIt) {
    const FrameMusicCase& c = GetParam();
    NavigationDecision decision =
        DecideNavigation({c.url, kStartPage, "exe", true, c.topLevel, c.pageLoading});
    EXPECT_EQ(decision.stopMusic, c.stops);
    EXPECT_EQ(decision.launchFile, c.launch);
    EXPECT_EQ(decision.closeMainWindow, c.close);
}

INSTANTIATE_TEST_SUITE_P(Frames, FrameMusic, testing::ValuesIn(kFrameMusicCases), CaseName());

TEST(NavigationMusic, LowerCasingTouchesOnlyAToZ) {
    EXPECT_EQ(LowerAsciiLetters("D:\\\xC4RGER\\Index.HTM"), "d:\\\xC4rger\\index.htm");
    // An accented capital in the path is not lowered, so the two spellings differ.
    EXPECT_TRUE(DecideNavigation({"D:\\\xE4.htm", "D:\\\xC4.htm", "", true}).stopMusic);
}

// Bytes of the 8-bit code page as the tests' code page would give them: 0xA0-0xFF of code
// page 1252 are the same code points in UTF-16.
std::u16string Latin1(std::string_view bytes) {
    std::u16string text;
    for (char byte : bytes) text += static_cast<unsigned char>(byte);
    return text;
}

struct UrlCase {
    const char* name;
    std::u16string_view url;
    std::u16string_view path;
};

const UrlCase kUrlCases[] = {
    {"PlainPathUnchanged", u"D:\\setup\\install.exe", u"D:\\setup\\install.exe"},
    {"ThreeSlashes", u"file:///D:/setup/install.exe", u"D:\\setup\\install.exe"},
    {"SchemeInCapitals", u"FILE:///D:/setup.exe", u"D:\\setup.exe"},
    {"TwoSlashesAndBackslashes", u"file://D:\\setup.exe", u"D:\\setup.exe"},
    {"NoSlashes", u"file:D:/a.exe", u"D:\\a.exe"},
    {"OldDriveBar", u"file:///D|/a.exe", u"D:\\a.exe"},
    {"Localhost", u"file://localhost/D:/a.exe", u"D:\\a.exe"},
    {"ServerShare", u"file://server/share/a.exe", u"\\\\server\\share\\a.exe"},
    {"ServerShareFourSlashes", u"file:////server/share/a.exe", u"\\\\server\\share\\a.exe"},
    {"EscapedBlank", u"file:///D:/my%20disc/set%20up.exe", u"D:\\my disc\\set up.exe"},
    {"EscapedHashAndPercent", u"file:///D:/a%23b%25c.exe", u"D:\\a#b%c.exe"},
    {"LowerCaseHex", u"file:///D:/%c3%a4.exe", u"D:\\\u00E4.exe"},
    {"Utf8Escapes", u"file:///D:/%C5%81%C3%B3d%C5%BA/setup.exe",
     u"D:\\\u0141\u00F3d\u017A\\setup.exe"},
    {"Utf8OutsideTheBasicPlane", u"file:///D:/%F0%9F%92%BF.exe", u"D:\\\U0001F4BF.exe"},
    {"CodePageEscapes", u"file:///D:/%E4rger.exe", u"D:\\\u00E4rger.exe"},
    {"OverlongUtf8IsCodePage", u"file:///D:/%C0%AF.exe", u"D:\\\u00C0\u00AF.exe"},
    {"UnescapedCharactersStay", u"file:///D:/\u0141\u00F3d\u017A/a#b?.exe",
     u"D:\\\u0141\u00F3d\u017A\\a#b?.exe"},
    {"LonePercentStays", u"file:///D:/100%/a%2.exe", u"D:\\100%\\a%2.exe"},
    {"OtherSchemesUnchanged", u"http://example.com/a%20b.exe", u"http://example.com/a%20b.exe"},
    {"CloseAddressUnchanged", u"javascript:window.close();", u"javascript:window.close();"},
    {"FileAloneIsNoPath", u"file:", u""},
};

class FileUrl : public testing::TestWithParam<UrlCase> {};

TEST_P(FileUrl, BecomesThePathItNames) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(PathFromUrl(c.url, &Latin1), c.path);
}

INSTANTIATE_TEST_SUITE_P(Urls, FileUrl, testing::ValuesIn(kUrlCases), CaseName());

TEST(Utf8Escapes, AreReadOnlyWhenWellFormed) {
    std::u16string out = u"x";
    EXPECT_TRUE(DecodeUtf8("a\xC3\xA4", out));
    EXPECT_EQ(out, u"xa\u00E4");
    for (const char* bad : {"\xC3", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xA4", "\xC3\x28", "\xFF"}) {
        std::u16string untouched = u"x";
        EXPECT_FALSE(DecodeUtf8(bad, untouched)) << bad;
        EXPECT_EQ(untouched, u"x");
    }
}

TEST(UrlExtension, TakesTheTextAfterTheLastDelimiterWhenItIsADot) {
    EXPECT_EQ(UrlExtension("D:\\setup\\install.exe"), "exe");
    EXPECT_EQ(UrlExtension("D:\\a.b\\c"), "");
    EXPECT_EQ(UrlExtension("http://example.com/tool.exe?x=1#top"), "exe?x=1#top");
    EXPECT_EQ(UrlExtension("http://intranet/start"), "");
    EXPECT_EQ(UrlExtension("file.tar.gz"), "gz");
    EXPECT_EQ(UrlExtension("ends.with.dot."), "");
    EXPECT_EQ(UrlExtension(""), "");
}

TEST(AnsiCaseInsensitive, FoldsTheLettersOfCodePage1252) {
    EXPECT_TRUE(EqualIgnoringCaseAnsi("EXE", "exe"));
    EXPECT_TRUE(EqualIgnoringCaseAnsi("d\xE9j\xE0", "D\xC9J\xC0"));
    EXPECT_TRUE(EqualIgnoringCaseAnsi("\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"));
    EXPECT_FALSE(EqualIgnoringCaseAnsi("\xF7", "\xD7"));  // division and multiplication signs
    EXPECT_FALSE(EqualIgnoringCaseAnsi("exe", "exe "));
    EXPECT_FALSE(EqualIgnoringCaseAnsi("[", "{"));
}

TEST(ToolCommands, WordsAreComparedWholeAndExactly) {
    EXPECT_EQ(ToolCommandFor("exit"), ToolCommand::Exit);
    EXPECT_EQ(ToolCommandFor("print"), ToolCommand::Print);
    EXPECT_EQ(ToolCommandFor("goback"), ToolCommand::GoBack);
    EXPECT_EQ(ToolCommandFor("goforward"), ToolCommand::GoForward);
    EXPECT_EQ(ToolCommandFor("gohome"), ToolCommand::GoHome);
    EXPECT_EQ(ToolCommandFor("search"), ToolCommand::Search);
    EXPECT_EQ(ToolCommandFor("copy"), ToolCommand::Copy);
    for (const char* other : {"GoBack", " goback", "exit ", "", "home", "EXIT", "copy2"}) {
        EXPECT_EQ(ToolCommandFor(other), ToolCommand::None) << other;
    }
}

TEST(ToolCommands, HistoryFollowsOnlyForwardAndBackChanges) {
    HistoryState state;
    ApplyCommandStateChange(state, 2, true);
    EXPECT_TRUE(state.canGoBack);
    EXPECT_FALSE(state.canGoForward);
    ApplyCommandStateChange(state, 1, true);
    EXPECT_TRUE(state.canGoForward);
    ApplyCommandStateChange(state, -1, false);  // update all commands: ignored
    ApplyCommandStateChange(state, 0, false);
    EXPECT_TRUE(state.canGoBack);
    EXPECT_TRUE(state.canGoForward);
    ApplyCommandStateChange(state, 2, false);
    EXPECT_FALSE(state.canGoBack);
}

}  // namespace
}  // namespace velvane
