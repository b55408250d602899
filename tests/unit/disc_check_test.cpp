#include "check/disc_check.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "services/message_catalogue.h"
#include "case_name.h"
#include "check/disc_files.h"
#include "check/library_image.h"
#include "support/bitmap_file.h"
#include "support/temp_folder.h"

namespace velvane {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

using testsupport::PutLittleEndian;

// An uncompressed 24-bit bitmap with every pixel, less `missing` bytes at its end.
std::string Bitmap(int width, int height, std::size_t missing = 0) {
    std::string bytes = testsupport::BlankBitmap(width, height);
    bytes.resize(bytes.size() - missing);
    return bytes;
}

// A Windows module for `machine` whose one section holds an export table with these names.
std::string Library(std::uint16_t machine, const std::vector<std::string>& names) {
    constexpr std::uint32_t kPe = 0x40, kOptional = kPe + 24, kSections = kOptional + 224;
    constexpr std::uint32_t kRaw = 0x200, kRva = 0x1000;
    std::string section(40 + 4 * names.size(), '\0');
    PutLittleEndian(section, 24, static_cast<std::uint32_t>(names.size()));
    PutLittleEndian(section, 32, kRva + 40);
    for (std::size_t i = 0; i < names.size(); ++i) {
        PutLittleEndian(section, 40 + 4 * i, kRva + static_cast<std::uint32_t>(section.size()));
        section += names[i] + '\0';
    }
    std::string bytes(kRaw, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    PutLittleEndian(bytes, 0x3C, kPe);
    bytes.replace(kPe, 4, "PE\0\0"s);
    PutLittleEndian(bytes, kPe + 4, machine, 2);
    PutLittleEndian(bytes, kPe + 6, 1, 2);
    PutLittleEndian(bytes, kPe + 20, 224, 2);
    PutLittleEndian(bytes, kOptional, machine == 0x014C ? 0x10B : 0x20B, 2);
    PutLittleEndian(bytes, kOptional + 92, 16);
    PutLittleEndian(bytes, kOptional + 96, kRva);
    PutLittleEndian(bytes, kOptional + 100, static_cast<std::uint32_t>(section.size()));
    PutLittleEndian(bytes, kSections + 8, static_cast<std::uint32_t>(section.size()));
    PutLittleEndian(bytes, kSections + 12, kRva);
    PutLittleEndian(bytes, kSections + 16, static_cast<std::uint32_t>(section.size()));
    PutLittleEndian(bytes, kSections + 20, kRaw);
    return bytes + section;
}

const std::string kPage =
    "<html><head><meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\"></head>\n<body>\n";

std::string PageLinkingTo(const std::string& target) {
    return kPage + "<p><a class=x\n href=\"" + target + "\">go</a></p>\n";  // the link: line 4
}

const std::string kCheckDll = Library(0x014C, {"CheckRequirement"});
const std::string kWithCheck = "[velvane]\nstartpage=index.html\nrequirements=check\n";

// A sample disc in a folder of its own, removed afterwards.
class SampleDisc : public testsupport::TempFolder {
public:
    explicit SampleDisc(const std::string& name) : TempFolder("check-" + name) {}
};

struct Expected {
    Expected(Severity s, std::string inFile, std::size_t at, std::string part, std::int32_t id = 0,
             std::string messageArgument = {})
        : severity(s),
          file(std::move(inFile)),
          line(at),
          text(std::move(part)),
          messageId(id),
          argument(std::move(messageArgument)) {}

    Severity severity;
    std::string file;  // inside the disc, "/" between folders
    std::size_t line;
    std::string text;  // a part of the finding's text
    std::int32_t messageId;
    std::string argument;  // the message's argument after the program folder
};

struct DiscCase {
    const char* name;
    // Files laid over the base disc (autorun.inf with a start page, and that page); an absent
    // content removes the file.
    std::vector<std::pair<std::string, std::optional<std::string>>> files;
    std::vector<Expected> findings;
};

const DiscCase kDiscCases[] = {
    {"Sound", {}, {}},
    {"ConfigMissing",
     {{"autorun.inf", std::nullopt}},
     {{Severity::Error, "autorun.inf", 0, "autorun.inf is missing", kMsgConfigMissing,
       "autorun.inf"}}},
    {"UnknownKeySuggestsNearest",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nfullscren=1\n"}},
     {{Severity::Warning, "autorun.inf", 3, "did you mean \"fullscreen\"?"}}},
    {"IconBelongsToAutorun",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nicon=disc.ico\n"}},
     {{Severity::Warning, "autorun.inf", 3, "read from section [autorun] only"}}},
    {"KeyGivenTwice",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nSTARTPAGE=other.html\n"}},
     {{Severity::Warning, "autorun.inf", 3, "the first, in line 2, counts"}}},
    {"SectionGivenTwice",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\n[Velvane]\nfadein=1\n"}},
     {{Severity::Warning, "autorun.inf", 3, "only the first section of a name is read"}}},
    {"SwitchWord",
     {{"autorun.inf", "[velvane]\r\nstartpage=index.html\r\nfullscreen=yes\r\n"}},
     {{Severity::Warning, "autorun.inf", 3,
       "fullscreen=yes is not a number, so the default (off)"}}},
    {"NumberWithUnit",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nwindowwidth=640px\n"}},
     {{Severity::Warning, "autorun.inf", 3, "the default (400) applies"}}},
    {"BorderStyleCase",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nborderstyle=Dialog\n"}},
     {{Severity::Warning, "autorun.inf", 3,
       "sizeable frame; the words are compared exactly: write \"dialog\""}}},
    {"WindowPositionCase",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nwindowposition=Center\n"}},
     {{Severity::Error, "autorun.inf", 3, "differs from \"center\" in letter case",
       kMsgWindowPosition}}},
    {"WindowPositionWithoutComma",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nwindowposition=100\n"}},
     {{Severity::Error, "autorun.inf", 3, "neither \"center\" nor two numbers",
       kMsgWindowPosition}}},
    {"FullScreenWindowIsNeverPlaced",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nfullscreen=1\nwindowposition=Center\n"}},
     {}},
    {"SkinMissing",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nskin=skin.bmp\n"}},
     {{Severity::Warning, "autorun.inf", 3, "skin \"skin.bmp\" is not on the disc"}}},
    {"SkinTruncated",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nskin=skin.bmp\n"},
      {"skin.bmp", Bitmap(40, 30, 1)}},
     {{Severity::Error, "autorun.inf", 3,
       "no readable bitmap (the file ends before its pixels do)"}}},
    {"SkinPositionOfThreeNumbers",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nskin=skin.bmp\nskinposition=1,2,3\n"},
      {"skin.bmp", Bitmap(40, 30)}},
     {{Severity::Error, "autorun.inf", 4, "not four numbers", kMsgExternalBrowser}}},
    {"IconMissing",
     {{"autorun.inf", "[autorun]\nicon=disc.ico\n[velvane]\nstartpage=index.html\n"}},
     {{Severity::Warning, "autorun.inf", 2, "icon \"disc.ico\" is not on the disc"}}},
    {"StartPageMissing",
     {{"autorun.inf", "[velvane]\nstartpage=main.html\n"}},
     {{Severity::Error, "autorun.inf", 2, "start page \"main.html\" is missing",
       kMsgStartPageMissing, "main.html"}}},
    {"NoStartPage",
     {{"autorun.inf", "[velvane]\n"}},
     {{Severity::Error, "autorun.inf", 0, "no start page is named", kMsgStartPageMissing, ""}}},
    {"RequirementMissing",
     {{"autorun.inf", kWithCheck}},
     {{Severity::Error, "autorun.inf", 3, "\"check.dll\" is missing; it then counts as fulfilled",
       kMsgDllLoadError, "check.dll"}}},
    {"RequirementFoundRegardlessOfCase",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nrequirements=Checks\\Check\n"},
      {"checks/CHECK.DLL", kCheckDll}},
     {}},
    {"RequirementDecoratedOnly",
     {{"autorun.inf", kWithCheck + "altstartpage=index.html\n"},
      {"check.dll", Library(0x014C, {"_CheckRequirement@4", "CheckRequirement@4"})}},
     {{Severity::Error, "autorun.inf", 3,
       "only the decorated name \"_CheckRequirement@4\", not CheckRequirement; export the plain "
       "name by linking with -Wl,--kill-at",
       kMsgDllLoadError, "check.dll"}}},
    {"Requirement64Bit",
     {{"autorun.inf", kWithCheck + "altstartpage=index.html\n"},
      {"check.dll", Library(0x8664, {"CheckRequirement"})}},
     {{Severity::Error, "autorun.inf", 3, "a library for 64-bit x64", kMsgDllLoadError,
       "check.dll"}}},
    {"RequirementWithoutExport",
     {{"autorun.inf", kWithCheck + "altstartpage=index.html\n"},
      {"check.dll", Library(0x014C, {"Check"})}},
     {{Severity::Error, "autorun.inf", 3, "does not export CheckRequirement", kMsgDllLoadError,
       "check.dll"}}},
    {"RequirementUnusableWithoutAltPage",
     {{"autorun.inf", kWithCheck}, {"check.dll", "MZ garbage"}},
     {{Severity::Error, "autorun.inf", 3, "is no Windows DLL", kMsgDllLoadError, "check.dll"},
      {Severity::Error, "autorun.inf", 3, "no altstartpage is named", kMsgRequirementsFailed}}},
    {"AltStartPageMissing",
     {{"autorun.inf", kWithCheck + "altstartpage=small.html\n"}, {"check.dll", kCheckDll}},
     {{Severity::Warning, "autorun.inf", 4,
       "altstartpage \"small.html\" is missing; when a requirement is not fulfilled the program "
       "shows \"For displaying"}}},
    {"ToolbarBitmapMissing",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\ntoolbar=exit\n"}},
     {{Severity::Error, "autorun.inf", 3,
       "bitmap \"buttons\\exit.bmp\" of toolbar button \"exit\" is missing",
       kMsgButtonBitmapMissing, "buttons\\exit.bmp"}}},
    {"ToolbarSizesDiffer",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\ntoolbar=exit,gohome\nbuttondir=art\n"},
      {"art/exit.bmp", Bitmap(32, 32)},
      {"art/gohome.bmp", Bitmap(24, 32)}},
     {{Severity::Error, "autorun.inf", 3,
       "\"art\\gohome.bmp\" is 24 x 32 pixels, but \"art\\exit.bmp\" is 32 x 32",
       kMsgButtonSizes}}},
    {"ToolbarBitmapUnreadable",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\ntoolbar=exit\n"},
      {"buttons/exit.bmp", "BM"}},
     {{Severity::Error, "autorun.inf", 3,
       "\"buttons\\exit.bmp\" is no readable bitmap (not a bitmap file)"}}},
    {"ToolbarWordCase",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\ntoolbar=GoBack\n"},
      {"Buttons/goback.BMP", Bitmap(32, 32)}},
     {{Severity::Warning, "autorun.inf", 3, "\"GoBack\" differs from \"goback\" in letter case"}}},
    {"ToolbarWordWithBlank",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\ntoolbar=gohome, exit\n"},
      {"buttons/gohome.bmp", Bitmap(32, 32)},
      {"buttons/ exit.bmp", Bitmap(32, 32)}},
     {{Severity::Warning, "autorun.inf", 3, "\" exit\" carries blanks"}}},
    {"ExecuteExtWithBlank",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nexecuteext=exe, pdf\n"}},
     {{Severity::Warning, "autorun.inf", 3, "entry \" pdf\" carries blanks, so it never matches"}}},
    {"ExecuteExtEmptyEntry",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nexecuteext=exe,,pdf\n"}},
     {{Severity::Warning, "autorun.inf", 3, "empty entry"}}},
    {"ExecuteExtListsStartPage",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nexecuteext=exe,HTML\n"}},
     {{Severity::Warning, "autorun.inf", 3, "the start page's own extension \"html\""}}},
    {"ExecuteExtListsOtherPages",
     {{"autorun.inf", "[velvane]\nstartpage=index.html\nexecuteext=exe,htm\n"}},
     {{Severity::Warning, "autorun.inf", 3,
       "lists \"htm\": every such page is handed to Windows"}}},
    {"LinkToMissingPage",
     {{"index.html", PageLinkingTo("pages/missing.html#top")}},
     {{Severity::Warning, "index.html", 4,
       "\"pages/missing.html#top\" leads to a file that is not on the disc"}}},
    {"LinkToMissingProgram",
     {{"index.html", PageLinkingTo("setup/install.exe")}},
     {{Severity::Error, "index.html", 4, "executeext hands it to Windows", kMsgExecutableMissing,
       "setup\\install.exe"}}},
    {"LinkToProgramThere",
     {{"index.html", PageLinkingTo("./Setup/my%20install.EXE")}, {"setup/my install.exe", "MZ"}},
     {}},
    {"LinkToUnlistedDocument",
     {{"index.html", PageLinkingTo("manual.pdf")}, {"manual.pdf", "%PDF"}},
     {{Severity::Warning, "index.html", 4,
       "extension \"pdf\" executeext does not list; the browser offers to download it"}}},
    {"CloseWithoutSemicolon",
     {{"index.html", PageLinkingTo("javascript:window.close()")}},
     {{Severity::Warning, "index.html", 4, "does not close the program"}}},
    {"LinkAboveTheRoot",
     {{"index.html", PageLinkingTo("../outside.html")}},
     {{Severity::Warning, "index.html", 4, "leads above the disc's root"}}},
    {"LinkedPageWithoutDocumentMode",
     {{"index.html", PageLinkingTo("pages/plain.html")},
      {"pages/plain.html", "<html><body><a href='../index.html'>back</a></body></html>"}},
     {{Severity::Warning, "pages/plain.html", 1, "no <meta http-equiv=\"X-UA-Compatible\""}}},
    {"PagesLinkedInACircle",
     {{"index.html", PageLinkingTo("a.html") + "<img src=logo.gif>"},
      {"a.html", PageLinkingTo("INDEX.html")},
      {"logo.gif", "GIF89a"}},
     {}},
    {"MissingPicture",
     {{"index.html", kPage + "<!-- <a href=gone.html> -->\n<img src=\"logo.gif\">\n"}},
     {{Severity::Warning, "index.html", 4, "\"logo.gif\" is not on the disc"}}},
    {"NameTooLongForTheDisc",
     {{std::string(65, 'n') + ".txt", ""}},
     {{Severity::Warning, std::string(65, 'n') + ".txt", 0,
       "69 characters long; a disc keeps at most 64"}}},
    {"NameBeyondAscii",
     {{"m\xC3\xBCsik.wav", ""}},
     {{Severity::Warning, "m\xC3\xBCsik.wav", 0, "characters beyond ASCII"}}},
    {"PathTooLong",
     {{std::string(60, 'a') + "/" + std::string(60, 'b') + "/" + std::string(60, 'c') + "/" +
           std::string(60, 'd') + "/" + std::string(20, 'f'),
       ""}},
     {{Severity::Warning,
       std::string(60, 'a') + "/" + std::string(60, 'b') + "/" + std::string(60, 'c') + "/" +
           std::string(60, 'd') + "/" + std::string(20, 'f'),
       0, "the path on the disc is 267 characters long"}}},
};

class BrokenDiscs : public testing::TestWithParam<DiscCase> {};

TEST_P(BrokenDiscs, GiveExactlyTheExpectedFindings) {
    const DiscCase& c = GetParam();
    SampleDisc disc(c.name);
    disc.Write("autorun.inf", "[velvane]\nstartpage=index.html\n");
    disc.Write("index.html", kPage);
    for (const auto& [path, content] : c.files) {
        if (content) {
            disc.Write(path, *content);
        } else {
            fs::remove(disc.Root() / path);
        }
    }
    const std::vector<Finding> findings = CheckDisc(disc.Root(), "disc");
    ASSERT_EQ(findings.size(), c.findings.size())
        << (findings.empty() ? "" : FormatFinding(findings[0]));
    const std::string programFolder = DiscFiles(disc.Root()).ProgramFolder();
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& found = findings[i];
        const Expected& expected = c.findings[i];
        EXPECT_EQ(found.severity, expected.severity) << FormatFinding(found);
        EXPECT_EQ(found.file, "disc/" + expected.file);
        EXPECT_EQ(found.line, expected.line) << FormatFinding(found);
        EXPECT_NE(found.text.find(expected.text), std::string::npos) << FormatFinding(found);
        EXPECT_EQ(found.messageId, expected.messageId) << FormatFinding(found);
        if (expected.messageId != 0) {
            const std::string message =
                GetMessageText("int", expected.messageId, programFolder + expected.argument);
            EXPECT_EQ(found.message, message);
            // The line quotes what the user will read, on one line.
            EXPECT_NE(found.text.find(OnOneLine(message)), std::string::npos) << found.text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Discs, BrokenDiscs, testing::ValuesIn(kDiscCases), CaseName());

// Whatever a disc holds, the checker ends, and within its reading limits.
TEST(HostileDiscs, NeverCrashOrHang) {
    SampleDisc disc("hostile");
    std::mt19937 random(12);
    auto garbage = [&random](std::size_t size) {
        std::string bytes(size, '\0');
        for (char& b : bytes) b = static_cast<char>(random());
        return bytes;
    };
    disc.Write("autorun.inf", garbage(20000) +
                                  "\n[velvane]\nstartpage=index.html\ntoolbar=a,b\n"
                                  "requirements=x,y\nskin=s.bmp\n" +
                                  garbage(20000));
    disc.Write("s.bmp", Bitmap(4000, 4000).substr(0, 60));
    disc.Write("buttons/a.bmp", garbage(100));
    std::string pageBytes = kPage + "<a href=\"big.html\">" + garbage(3000) + "<a href=index.html";
    disc.Write("index.html", pageBytes);
    // A 50 MB page that opens tags through all the part the checker reads (the rest is sparse).
    disc.Write("big.html", std::string(5u << 20, '<'));
    fs::resize_file(disc.Root() / "big.html", 50u << 20);
    disc.Write("x.dll", Library(0x014C, {"CheckRequirement"}).substr(0, 0x210));
    disc.Write("y.dll", "MZ" + garbage(0x3E) + "\xF0\xFF\xFF\xFF" + garbage(100));
    const std::vector<Finding> findings = CheckDisc(disc.Root(), "disc");
    EXPECT_FALSE(findings.empty());
}

TEST(LibraryImages, SurviveEveryTruncationAndDamage) {
    const std::string whole = Library(0x014C, {"CheckRequirement", "Other"});
    EXPECT_EQ(ReadLibraryImage(whole).exportNames,
              (std::vector<std::string>{"CheckRequirement", "Other"}));
    for (std::size_t size = 0; size < whole.size(); ++size) {
        ReadLibraryImage(std::string_view(whole).substr(0, size));
    }
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string damaged = whole;
        for (int i = 0; i < 4; ++i)
            damaged[random() % damaged.size()] = static_cast<char>(random());
        ReadLibraryImage(damaged);
    }
}

TEST(FindingsAsJson, EscapesForPipelines) {
    Finding finding{"d/autorun.inf", 3, Severity::Error, "a \"b\"\\", 8, "x\ry"};
    EXPECT_EQ(FindingsAsJson({finding}),
              "[\n  {\"file\": \"d/autorun.inf\", \"line\": 3, \"severity\": \"error\", "
              "\"text\": \"a \\\"b\\\"\\\\\", \"messageId\": 8, \"message\": \"x\\ry\"}\n]\n");
    EXPECT_EQ(FindingsAsJson({}), "[]\n");
    EXPECT_EQ(FormatFinding(finding), "d/autorun.inf:3: error: a \"b\"\\");
}

}  // namespace
}  // namespace velvane
