#include "window/split_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "case_name.h"

namespace velvane {
namespace {

using Entries = std::vector<std::string>;

struct SplitCase {
    const char* name;
    const char* text;
    const char* separator;
    Entries entries;
};

const SplitCase kSplitCases[] = {
    {"Plain", "exit,print", ",", {"exit", "print"}},
    {"AdjacentSeparatorsKeepEmptyEntry", "exit,,print", ",", {"exit", "", "print"}},
    {"LeadingSeparatorGivesEmptyFirstEntry", ",exe", ",", {"", "exe"}},
    {"TrailingSeparatorAddsNothing", "exe,pdf,", ",", {"exe", "pdf"}},
    {"OnlySeparator", ",", ",", {""}},
    {"TwoSeparators", ",,", ",", {"", ""}},
    {"BlanksKept", "check1, check2 ", ",", {"check1", " check2 "}},
    {"EmptyText", "", ",", {}},
    {"NoSeparator", "single", ",", {"single"}},
    {"SeparatorMatchedRegardlessOfCase", "aXbxc", "x", {"a", "b", "c"}},
    {"LongSeparatorCaseInsensitive", "oneANDtwoandthree", "and", {"one", "two", "three"}},
    {"PartialSeparatorAtEndIsText", "oneAN", "and", {"oneAN"}},
};

class SplitListCases : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitListCases, CutsAtEverySeparator) {
    EXPECT_EQ(SplitList(GetParam().text, GetParam().separator), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(Lists, SplitListCases, testing::ValuesIn(kSplitCases), CaseName());

}  // namespace
}  // namespace velvane
