// The portable profile reader against the system's own (GetPrivateProfileStringA) on awkward
// autorun.inf files: wherever the program relies on a property of the reader, both must agree.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "case_name.h"
#include "config/profile_reader.h"
#include "support/temp_folder_win.h"

namespace velvane {
namespace {

struct Query {
    const char* section;
    const char* key;
};

// The queries asked of every file: the program's own keys, in odd spellings too.
const std::vector<Query> kQueries = {
    {"velvane", "windowcaption"},
    {"VELVANE", "WindowCaption"},
    {"velvane", "startpage"},
    {"velvane", "fullscreen"},
    {"velvane", "windowwidth"},
    {"velvane", "buttondir"},
    {"velvane", "missing"},
    {"autorun", "icon"},
    {"Autorun", "ICON"},
    {"absent", "icon"},
    {"", "stray"},
    {"velvane", "a"},
    {"velvane", "b"},
    {"velvane", "c"},
    {"velvane", "d"},
    {"velvane", "e"},
    {"velvane", "f"},
};

constexpr char kAbsent[] = "\x01(absent)";

std::optional<std::string> SystemRead(const std::string& path, const Query& q) {
    std::vector<char> buffer(2048);
    GetPrivateProfileStringA(q.section, q.key, kAbsent, buffer.data(),
                             static_cast<DWORD>(buffer.size()), path.c_str());
    std::string value = buffer.data();
    if (value == kAbsent) return std::nullopt;
    return value;
}

std::string Show(const std::optional<std::string>& value) {
    return value ? "\"" + *value + "\"" : std::string("(absent)");
}

struct CorpusFile {
    const char* name;
    std::string content;
};

std::string Utf16(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

const std::string kBasic =
    "[autorun]\r\nopen=autostart.exe\r\nicon=disc.ico\r\n[velvane]\r\nwindowcaption=Demo\r\n"
    "startpage=index.html\r\n";

std::vector<CorpusFile> Corpus() {
    return {
        {"Crlf", kBasic},
        {"Lf", "[autorun]\nicon=disc.ico\n[velvane]\nwindowcaption=Demo\nfullscreen=1\n"},
        {"NoFinalNewline", "[velvane]\nwindowcaption=Last line"},
        {"Utf8Bom",
         "\xEF\xBB\xBF[velvane]\r\nwindowcaption=Gr\xC3\xBC\xC3\x9F"
         "e\r\n"},
        {"Utf16Bom", Utf16("[velvane]\r\nwindowcaption=Wide\r\nstartpage=w.html\r\n")},
        {"CaseOfNames", "[VeLvAnE]\nWINDOWCAPTION=Upper\nStartPage=Mixed.html\n"},
        {"DuplicateKeysFirstWins", "[velvane]\nwindowcaption=first\nwindowcaption=second\n"},
        {"DuplicateSectionNotSearched",
         "[velvane]\nwindowcaption=one\n[other]\nx=1\n[velvane]\nstartpage=later.html\n"},
        {"Quotes", "[velvane]\na=\"  spaced  \"\nb='single'\nc=\"a\" b\nd=\"\ne=''\nf=\"mixed'\n"},
        {"Blanks", "[velvane]\n   windowcaption   =   padded value   \n\tstartpage\t=\tx\t\n"},
        {"EmptyVersusAbsent", "[velvane]\nwindowcaption=\nstartpage =\n"},
        {"LineWithoutEquals", "[velvane]\njust words\nwindowcaption=after\n"},
        {"CommentTextStays", "[velvane]\nwindowcaption=v ; note\n; startpage=commented.html\n"},
        {"KeyBeforeAnySection", "stray=before\n[velvane]\nwindowcaption=x\n"},
        {"LongValueIsCut", "[velvane]\nwindowcaption=" + std::string(3000, 'v') + "\n"},
        {"EqualsInValue", "[velvane]\nstartpage=a=b.html\nwindowcaption==lead\n"},
        {"EmptyFile", ""},
        {"OnlyAutorun", "[autorun]\nopen=autostart.exe\nicon=disc.ico\n"},
        {"NumbersAsText", "[velvane]\nwindowwidth= 0x280 \nfullscreen=yes\nbuttondir=art\\\n"},
        {"TabsInsideValue", "[velvane]\nwindowcaption=a\tb\n"},
        {"Latin1Bytes", "[velvane]\nwindowcaption=\xC4rger \xFC\xE9\n"},
        {"SectionWithTrailingText", "[velvane] trailing\nwindowcaption=found\n"},
        {"LoneCarriageReturns", "[velvane]\rwindowcaption=cr\rstartpage=s\r"},
        {"BlanksInsideBrackets", "[ velvane ]\nwindowcaption=x\n"},
        {"NulInsideValue", std::string("[velvane]\nwindowcaption=a \0b\nstartpage=s\n", 41)},
    };
}

class ProfileReaderAgreement : public testing::TestWithParam<CorpusFile> {};

TEST_P(ProfileReaderAgreement, BothReadersGiveTheSameValues) {
    testsupport::TempFolder folder("profile");
    folder.Write("autorun.inf", GetParam().content);
    const std::string path = folder.File("autorun.inf");  // a full path: bare names resolve to the Windows folder
    ProfileFile portable = ProfileFile::Parse(GetParam().content);
    for (const Query& q : kQueries) {
        EXPECT_EQ(Show(portable.Read(q.section, q.key)), Show(SystemRead(path, q)))
            << "[" << q.section << "] " << q.key;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ProfileReaderAgreement, testing::ValuesIn(Corpus()), CaseName());

// Where the readers part on purpose. The system's reader takes a line without "=" as a key
// with no value, which hides a later line that gives the key a value; the program follows the
// rule that only a line with "=" is a key, so a stray word on its own line costs nothing.
TEST(ProfileReaderDifference, LineWithoutEqualsHidesNothing) {
    ProfileFile portable = ProfileFile::Parse("[velvane]\nwindowcaption\nwindowcaption=x\n");
    EXPECT_EQ(portable.Read("velvane", "windowcaption"), "x");
}

}  // namespace
}  // namespace velvane
