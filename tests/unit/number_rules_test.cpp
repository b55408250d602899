#include "config/number_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace velvane {
namespace {

struct ConvertCase {
    const char* name;
    std::string text;
    std::optional<std::int32_t> expected;
};

TEST(ConvertIntegerTest, AcceptsOnlyWholeInt32Texts) {
    const ConvertCase cases[] = {
        {"decimal", "640", 640},
        {"plus sign", "+5", 5},
        {"minus sign", "-5", -5},
        {"leading space", " 12", 12},
        {"leading tab", "\t12", 12},
        {"dollar hex", "$ff", 255},
        {"x hex", "xFF", 255},
        {"0x hex", "0x10", 16},
        {"0X hex", "0X10", 16},
        {"negative 0x hex", "-0x10", -16},
        {"negative dollar hex", "-$10", -16},
        {"leading zeros", "000123", 123},
        {"largest", "2147483647", 2147483647},
        {"lowest", "-2147483648", INT32_MIN},
        {"largest hex", "$7FFFFFFF", 2147483647},
        {"lowest hex", "-$80000000", INT32_MIN},
        {"empty", "", std::nullopt},
        {"trailing space", "12 ", std::nullopt},
        {"unit suffix", "640px", std::nullopt},
        {"word", "yes", std::nullopt},
        {"double sign", "--1", std::nullopt},
        {"blank after sign", "- 1", std::nullopt},
        {"bare 0x", "0x", std::nullopt},
        {"bare dollar", "$", std::nullopt},
        {"hex digit in decimal", "1f", std::nullopt},
        {"non-hex digit", "$fg", std::nullopt},
        {"one above largest", "2147483648", std::nullopt},
        {"one below lowest", "-2147483649", std::nullopt},
        {"hex above largest", "$80000000", std::nullopt},
        {"hex all ones", "$FFFFFFFF", std::nullopt},
        {"hex below lowest", "-$80000001", std::nullopt},
        {"very long decimal", std::string(400, '9'), std::nullopt},
        {"very long hex", "$" + std::string(400, 'F'), std::nullopt},
        {"long zeros then digit", std::string(400, '0') + "7", 7},
        {"embedded NUL",
         std::string("1\0"
                     "2",
                     3),
         std::nullopt},
    };
    for (const ConvertCase& c : cases) {
        EXPECT_EQ(ConvertInteger(c.text), c.expected) << c.name;
    }
}

struct ReadNumberCase {
    const char* name;
    std::optional<std::string> value;
    std::int32_t expected;
};

TEST(ReadNumberTest, FallsBackToDefaultUnlessTheValueConverts) {
    constexpr std::int32_t kDefault = 400;
    const ReadNumberCase cases[] = {
        {"absent", std::nullopt, kDefault},
        {"empty", "", kDefault},
        {"decimal", "640", 640},
        {"0x prefix", "0x280", 640},
        {"0X prefix", "0X280", 640},
        {"bare 0x", "0x", kDefault},
        {"0x then dollar", "0x$10", kDefault},
        {"0x then sign", "0x-5", kDefault},
        {"unit suffix", "640px", kDefault},
        {"negative", "-1", -1},
        {"zero beats default", "0", 0},
        {"out of range", "4294967296", kDefault},
    };
    for (const ReadNumberCase& c : cases) {
        EXPECT_EQ(ReadNumber(c.value, kDefault), c.expected) << c.name;
    }
}

struct ReadSwitchCase {
    const char* name;
    std::optional<std::string> value;
    bool defaultOn;
    bool expected;
};

TEST(ReadSwitchTest, IsOnExactlyForNonZeroNumbers) {
    const ReadSwitchCase cases[] = {
        {"absent, default off", std::nullopt, false, false},
        {"absent, default on", std::nullopt, true, true},
        {"one", "1", false, true},
        {"two", "2", false, true},
        {"minus one", "-1", false, true},
        {"zero", "0", true, false},
        {"hex one", "0x1", false, true},
        {"yes keeps default off", "yes", false, false},
        {"true keeps default off", "true", false, false},
        {"on keeps default off", "on", false, false},
        {"empty keeps default on", "", true, true},
    };
    for (const ReadSwitchCase& c : cases) {
        EXPECT_EQ(ReadSwitch(c.value, c.defaultOn), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace velvane
