#include "config/profile_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <utility>

namespace velvane {
namespace {

using namespace std::string_literals;

struct LookupCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST(ProfileFileTest, LooksUpKeysBySectionAndName) {
    const LookupCase cases[] = {
        {"plain key", "[autorun]\nopen=go.exe\n", "autorun", "open", "go.exe"},
        {"section case", "[AutoRun]\nopen=go.exe\n", "autorun", "open", "go.exe"},
        {"key case", "[autorun]\nOPEN=go.exe\n", "AUTORUN", "Open", "go.exe"},
        {"absent key", "[s]\nk=v\n", "s", "other", std::nullopt},
        {"absent section", "[s]\nk=v\n", "t", "k", std::nullopt},
        {"later section", "[s]\nk=v\n[t]\nk=w\n", "t", "k", "w"},
        {"first key wins", "[s]\nk=first\nK=second\n", "s", "k", "first"},
        {"first section only", "[s]\na=1\n[S]\nb=2\n", "s", "b", std::nullopt},
        {"first section's key", "[s]\nk=1\n[s]\nk=2\n", "s", "k", "1"},
        {"section after a repeated one", "[s]\nk=1\n[s]\nk=2\n[t]\nj=3\n", "t", "j", "3"},
        {"key before any section", "k=v\n[s]\n", "", "k", "v"},
        {"empty section name", "[]\nk=v\n", "", "k", std::nullopt},
        {"key blanks trimmed", "[s]\n \t k \t = v\n", "s", "k", "v"},
        {"inner blanks of key kept", "[s]\nmy key=v\n", "s", "my key", "v"},
        {"value blanks trimmed", "[s]\nk= \t v w \t \n", "s", "k", "v w"},
        {"indented header", "  [s]  \nk=v\n", "s", "k", "v"},
        {"blanks inside brackets trimmed", "[ s ]\nk=v\n", "s", "k", "v"},
        {"text after header ignored", "[s] trailing\nk=v\n", "s", "k", "v"},
        {"last bracket closes", "[a]b]\nk=v\n", "a]b", "k", "v"},
        {"unclosed header is a key", "[s\nk=v\n", "", "k", "v"},
        {"unclosed header with equals", "[s=v\n", "", "[s", "v"},
        {"equals in value", "[s]\nk=a=b\n", "s", "k", "a=b"},
        {"empty value", "[s]\nk=\n", "s", "k", ""},
        {"empty key", "[s]\n=v\n", "s", "", "v"},
        {"line without equals", "[s]\nk\nk=v\n", "s", "k", "v"},
        {"comment line", "[s]\n;k=hidden\nk=v\n", "s", "k", "v"},
        {"comment kept in value", "[s]\nk=v ; note\n", "s", "k", "v ; note"},
        {"blank lines", "\n\n[s]\n\n\nk=v\n\n", "s", "k", "v"},
        {"double quotes", "[s]\nk=\"  x  \"\n", "s", "k", "  x  "},
        {"single quotes", "[s]\nk='y'\n", "s", "k", "y"},
        {"quotes after blanks", "[s]\nk=  \"x\"  \n", "s", "k", "x"},
        {"empty quotes", "[s]\nk=\"\"\n", "s", "k", ""},
        {"quote then text", "[s]\nk=\"a\" b\n", "s", "k", "\"a\" b"},
        {"mixed quotes", "[s]\nk=\"a'\n", "s", "k", "\"a'"},
        {"lone quote", "[s]\nk=\"\n", "s", "k", "\""},
        {"crlf", "[s]\r\na=1\r\nk=v\r\n", "s", "k", "v"},
        {"lone cr", "[s]\ra=1\rk=v\r", "s", "k", "v"},
        {"lone cr before lf lines", "[s]\rk=v\nj=w\n", "s", "k", "v"},
        {"lf cr", "[s]\n\rk=v", "s", "k", "v"},
        {"no final newline", "[s]\nk=v", "s", "k", "v"},
        {"nul ends value", "[s]\nk=ab\0cd\nj=w\n"s, "s", "k", "ab"},
        {"nul ends key", "[s]\nk\0junk=v\n"s, "s", "k", "v"},
        {"nul before quote", "[s]\nk=\"a\"\0tail\n"s, "s", "k", "a"},
        {"nul ends section name", "[s\0junk]\nk=v\n"s, "s", "k", "v"},
        {"lines after nul", "[s]\n\0\0\0\nk=v\n"s, "s", "k", "v"},
        {"nul-led line is no header", "\0[s]\nk=v\n"s, "", "k", "v"},
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(ProfileFile::Parse(c.file).Read(c.section, c.key), c.expected) << c.name;
    }
}

// Enough distinct names that any memory of recently seen ones must have been overwritten.
std::string ManyLines(const char* before, const char* after) {
    std::string lines;
    for (int i = 0; i < 40000; ++i) {
        lines += before + std::to_string(i) + after;
    }
    return lines;
}

TEST(ProfileFileTest, FindsTheFirstOccurrencePastManyOtherNames) {
    const LookupCase cases[] = {
        {"first key", "[s]\nk=1\n" + ManyLines("n", "=x\n") + "k=2\n", "s", "k", "1"},
        {"first section", "[s]\nk=1\n" + ManyLines("[n", "]\n") + "[s]\nk=2\n", "s", "k", "1"},
        {"key of repeated section", "[s]\n" + ManyLines("[n", "]\n") + "[S]\nj=2\n", "s", "j",
         std::nullopt},
        {"same key in next section", "[a]\nk=1\n" + ManyLines("n", "=x\n") + "[b]\nk=2\n", "b", "k",
         "2"},
        {"last of many keys", "[s]\n" + ManyLines("n", "=x\n"), "s", "n39999", "x"},
        {"last of many sections", ManyLines("[n", "]\nk=v\n"), "n39999", "k", "v"},
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(ProfileFile::Parse(c.file).Read(c.section, c.key), c.expected) << c.name;
    }
}

std::string WithBom(std::string_view bom, const std::u16string& text, bool littleEndian) {
    std::string bytes(bom);
    for (char16_t unit : text) {
        const auto low = static_cast<char>(unit & 0xFF);
        const auto high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

std::string Utf16Le(const std::u16string& text) {
    return WithBom("\xFF\xFE", text, true);
}
std::string Utf16Be(const std::u16string& text) {
    return WithBom("\xFE\xFF", text, false);
}
std::string Utf8(const std::string& text) {
    return "\xEF\xBB\xBF" + text;
}

struct EncodingCase {
    const char* name;
    std::string file;  // holds key k of section s
    std::string expected;
};

TEST(ProfileFileTest, ConvertsEveryEncodingToCodePage1252) {
    const EncodingCase cases[] = {
        {"no bom keeps bytes", "[s]\nk=\xE9\x80\x81\xFF\n", "\xE9\x80\x81\xFF"},
        {"no bom keeps utf-8 bytes", "[s]\nk=\xC3\xA9\n", "\xC3\xA9"},
        {"utf-8 latin-1", Utf8("[s]\nk=caf\xC3\xA9 \xC2\xA0\xC3\xBF\n"), "caf\xE9 \xA0\xFF"},
        {"utf-8 euro", Utf8("[s]\nk=\xE2\x82\xAC\n"), "\x80"},
        {"utf-8 high table", Utf8("[s]\nk=\xE2\x84\xA2\xC5\xB8\xC6\x92\xCB\x9C\n"),
         "\x99\x9F\x83\x98"},
        {"utf-8 undefined slot", Utf8("[s]\nk=\xC2\x81\xC2\x9D\n"), "\x81\x9D"},
        {"utf-8 C1 control", Utf8("[s]\nk=\xC2\x80\n"), "?"},
        {"utf-8 outside code page", Utf8("[s]\nk=\xC4\x80\xE4\xB8\xAD\n"), "??"},
        {"utf-8 four bytes", Utf8("[s]\nk=a\xF0\x9F\x98\x80z\n"), "a?z"},
        {"utf-8 stray continuation", Utf8("[s]\nk=a\x80z\n"), "a?z"},
        {"utf-8 invalid lead", Utf8("[s]\nk=\xFF\xFE\xF5\n"), "???"},
        {"utf-8 truncated sequence", Utf8("[s]\nk=\xE2\x82z\n"), "?z"},
        {"utf-8 truncated at end", Utf8("[s]\nk=z\xE2\x82"), "z?"},
        {"utf-8 overlong", Utf8("[s]\nk=\xC0\xAF\xE0\x80\xAF\n"), "?????"},
        {"utf-8 surrogate", Utf8("[s]\nk=\xED\xA0\x80\n"), "???"},
        {"utf-8 beyond U+10FFFF", Utf8("[s]\nk=\xF4\x90\x80\x80\n"), "????"},
        {"utf-8 sequence cut by newline", Utf8("[s]\nk=\xE2\nj=w\n"), "?"},
        {"utf-16le", Utf16Le(u"[s]\r\nk=caf\u00E9 \u20AC\r\n"), "caf\xE9 \x80"},
        {"utf-16le outside code page", Utf16Le(u"[s]\nk=\u0100\u4E2D\n"), "??"},
        {"utf-16le surrogate pair", Utf16Le(u"[s]\nk=a\U0001F600z\n"), "a?z"},
        {"utf-16le lone high surrogate", Utf16Le(u"[s]\nk=a"s + char16_t{0xD800} + u"z"), "a?z"},
        {"utf-16le lone low surrogate", Utf16Le(u"[s]\nk=a"s + char16_t{0xDC00} + u"z"), "a?z"},
        {"utf-16le high surrogate at end", Utf16Le(u"[s]\nk=a"s + char16_t{0xD800}), "a?"},
        {"utf-16le odd byte dropped", Utf16Le(u"[s]\nk=ab") + "\x41", "ab"},
        {"utf-16le nul", Utf16Le(u"[s]\nk=a"s + char16_t{0} + u"b\nj=w"), "a"},
        {"utf-16be", Utf16Be(u"[s]\nk=\u00E9\u20AC\n"), "\xE9\x80"},
    };
    for (const EncodingCase& c : cases) {
        EXPECT_EQ(ProfileFile::Parse(c.file).Read("s", "k"), c.expected) << c.name;
    }
}

struct LengthCase {
    const char* name;
    std::string rawValue;
    std::string expected;
};

TEST(ProfileFileTest, CutsValuesToTheReadingBuffer) {
    constexpr std::size_t kMax = ProfileFile::kMaxValueLength;
    const std::string longest(kMax, 'a');
    const LengthCase cases[] = {
        {"exactly the limit", longest, longest},
        {"one over", longest + "b", longest},
        {"100,000 chars", std::string(100000, 'c'), std::string(kMax, 'c')},
        {"quoted at the limit", "\"" + longest + "\"", longest},
        {"quoted one over", "\"" + longest + "b\"", longest},
        {"blanks trimmed first", "   " + longest + "b   ", longest},
    };
    for (const LengthCase& c : cases) {
        const std::string file = "[s]\nk=" + c.rawValue + "\nj=after\n";
        const ProfileFile parsed = ProfileFile::Parse(file);
        EXPECT_EQ(parsed.Read("s", "k"), c.expected) << c.name;
        EXPECT_EQ(parsed.Read("s", "j"), "after") << c.name;
    }
}

TEST(ProfileFileTest, SurvivesCopyAndMoveOfASmallFile) {
    // A short file fits in the string's inline buffer, whose address changes on a move.
    ProfileFile original = ProfileFile::Parse("[s]\nk=v");
    const ProfileFile copy = original;
    const ProfileFile moved = std::move(original);
    EXPECT_EQ(copy.Read("s", "k"), "v");
    EXPECT_EQ(moved.Read("s", "k"), "v");
}

TEST(ProfileFileTest, EmptyFileHasNothing) {
    EXPECT_EQ(ProfileFile().Read("", ""), std::nullopt);
    EXPECT_EQ(ProfileFile::Parse("").Read("", ""), std::nullopt);
    EXPECT_EQ(ProfileFile::Parse("\xEF\xBB\xBF").Read("", ""), std::nullopt);
    EXPECT_EQ(ProfileFile::Parse("\xFF\xFE").Read("", ""), std::nullopt);
}

TEST(ProfileFileTest, ReadsPastBinaryGarbage) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const std::string bom : {"", "\xEF\xBB\xBF", "\xFF\xFE"}) {
        std::string garbage = bom;
        for (int i = 0; i < 200000; ++i) {
            garbage.push_back(static_cast<char>(byte(random)));
        }
        const std::u16string tail = u"\n[after garbage]\nk=v\n";
        garbage += bom == "\xFF\xFE" ? Utf16Le(tail).substr(2) : "\n[after garbage]\nk=v\n";
        const ProfileFile file = ProfileFile::Parse(garbage);
        EXPECT_EQ(file.Read("after garbage", "k"), "v") << "bom size " << bom.size();
    }
}

TEST(ProfileFileTest, LongLineWithoutEqualsIsNoKey) {
    const ProfileFile file = ProfileFile::Parse("[s]\n" + std::string(100000, 'k') + "\nk=v");
    EXPECT_EQ(file.Read("s", std::string(100000, 'k')), std::nullopt);
    EXPECT_EQ(file.Read("s", "k"), "v");
}

}  // namespace
}  // namespace velvane
