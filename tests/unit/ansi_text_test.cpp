#include "core/ansi_text.h"

#include <gtest/gtest.h>

#include "case_name.h"

namespace velvane {
namespace {

// A small code page as the system would convert with it: ASCII, "ó" as one byte, "中" as two,
// "Ł" and "ź" only as the look-alikes "L" and "z", and "?" for each UTF-16 unit it lacks (both
// halves of a surrogate pair), as the system writes them.
struct FakeCharacter {
    std::u16string_view character;
    std::string_view bytes;     // empty: not in the code page
    std::string_view lookAlike;
};
constexpr FakeCharacter kCharacters[] = {
    {u"\u00F3", "\xF3", ""},
    {u"\u4E2D", "\x92\x86", ""},
    {u"\u0141", "", "L"},
    {u"\u017A", "", "z"},
};

std::string FakeToAnsi(std::u16string_view text, bool bestFit, bool& exact) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] < 0x80) {
            out += static_cast<char>(text[at++]);
            continue;
        }
        const FakeCharacter* known = nullptr;
        for (const FakeCharacter& c : kCharacters) {
            if (text.substr(at, c.character.size()) == c.character) known = &c;
        }
        if (known && !known->bytes.empty()) {
            out += known->bytes;
        } else {
            exact = false;
            out += known && bestFit ? known->lookAlike : "?";
        }
        at += known ? known->character.size() : 1;
    }
    return out;
}

std::u16string FakeFromAnsi(std::string_view bytes) {
    std::u16string out;
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            out += static_cast<char16_t>(bytes[at++]);
            continue;
        }
        std::size_t before = at;
        for (const FakeCharacter& c : kCharacters) {
            if (!c.bytes.empty() && bytes.substr(at, c.bytes.size()) == c.bytes) {
                out += c.character;
                at += c.bytes.size();
                break;
            }
        }
        if (at == before) {
            out += u'\uFFFD';
            ++at;
        }
    }
    return out;
}

// What a system does with the request to leave best fit out.
enum class Request { Taken, Refused, IgnoredSilently };

AnsiCodePage FakeCodePage(Request request) {
    AnsiCodePage codePage;
    codePage.withoutBestFit = [request](std::u16string_view text) {
        std::optional<AnsiText> converted;
        if (request == Request::Taken) {
            converted.emplace();
            converted->text = FakeToAnsi(text, false, converted->exact);
        } else if (request == Request::IgnoredSilently) {
            // Best fit all the same, and a look-alike is no default character.
            bool ignored = true;
            converted.emplace(AnsiText{FakeToAnsi(text, true, ignored), true});
        }
        return converted;
    };
    codePage.toAnsi = [](std::u16string_view text) {
        bool ignored = true;
        return FakeToAnsi(text, true, ignored);
    };
    codePage.fromAnsi = &FakeFromAnsi;
    return codePage;
}

struct ConversionCase {
    const char* name;
    std::u16string_view text;
    std::string_view ansi;
    bool exact;
};

// Every row is converted where the system leaves best fit out on request (2000 and later), where
// it refuses the request (NT 4.0) and where it might ignore it: the answers must be the same.
const ConversionCase kConversions[] = {
    {"Empty", u"", "", true},
    {"InTheCodePage", u"D:\\\u00F3\\setup.exe", "D:\\\xF3\\setup.exe", true},
    {"LookAlikesBecomeMarks", u"D:\\\u0141\u00F3d\u017A\\setup.exe", "D:\\?\xF3" "d?\\setup.exe",
     false},
    {"TwoByteCharacterKeptWhole", u"\u4E2D\\\u0141.exe", "\x92\x86\\?.exe", false},
    {"TwoByteCharacterAlone", u"\u4E2D.exe", "\x92\x86.exe", true},
    {"SurrogatePairAsTheSystemMarksIt", u"a\U0001F600b", "a??b", false},
};

class AnsiConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(AnsiConversion, NeverGivesALookAlikeWhetherTheSystemTakesTheRequestOrNot) {
    const ConversionCase& c = GetParam();
    for (Request request : {Request::Taken, Request::Refused, Request::IgnoredSilently}) {
        SCOPED_TRACE(static_cast<int>(request));
        AnsiText converted = ConvertWithoutLookAlikes(c.text, FakeCodePage(request));
        EXPECT_EQ(converted.text, c.ansi);
        EXPECT_EQ(converted.exact, c.exact);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, AnsiConversion, testing::ValuesIn(kConversions), CaseName());

}  // namespace
}  // namespace velvane
