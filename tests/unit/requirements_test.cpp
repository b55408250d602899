#include "window/requirements.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "case_name.h"

namespace velvane {
namespace {

TEST(RequirementLibraryPath, AddsDllOnlyWhenTheNameHasNoExtension) {
    EXPECT_EQ(RequirementLibraryPath("D:\\", "check1"), "D:\\check1.dll");
    EXPECT_EQ(RequirementLibraryPath("D:\\", "checks\\dx"), "D:\\checks\\dx.dll");
    EXPECT_EQ(RequirementLibraryPath("D:\\", "tool.exe"), "D:\\tool.exe");
    EXPECT_EQ(RequirementLibraryPath("D:\\", "odd."), "D:\\odd.");
    // A dot in a folder name is no extension of the file.
    EXPECT_EQ(RequirementLibraryPath("D:\\disc.v2\\", "check"), "D:\\disc.v2\\check.dll");
    EXPECT_EQ(RequirementLibraryPath("D:\\", "sub.d\\check"), "D:\\sub.d\\check.dll");
    EXPECT_EQ(RequirementLibraryPath("D:\\", " check2"), "D:\\ check2.dll");
    EXPECT_EQ(RequirementLibraryPath("", "C:check"), "C:check.dll");
}

constexpr char kFolder[] = "D:\\";

// A disc of files (named without the folder), some of whose libraries answer "not fulfilled";
// every question the check asks is written down in order.
class FakeDisc final : public RequirementLibraries {
public:
    FakeDisc(std::set<std::string> files, std::set<std::string> refusing)
        : files_(std::move(files)), refusing_(std::move(refusing)) {}

    bool FileExists(const std::string& path) override {
        log.push_back("exists " + Name(path));
        return files_.count(Name(path)) != 0;
    }
    void ReportMissing(const std::string& path) override { log.push_back("missing " + Name(path)); }
    bool Fulfilled(const std::string& path) override {
        log.push_back("ask " + Name(path));
        return refusing_.count(Name(path)) == 0;
    }

    std::vector<std::string> log;

private:
    static std::string Name(const std::string& path) {
        EXPECT_EQ(path.rfind(kFolder, 0), 0u) << path;
        return path.substr(sizeof kFolder - 1);
    }
    std::set<std::string> files_;
    std::set<std::string> refusing_;
};

struct RequirementCase {
    const char* name;
    const char* requirements;
    const char* altStartPage;
    std::set<std::string> files;
    std::set<std::string> refusing;
    std::vector<std::string> log;
    RequirementOutcome outcome;
};

using enum RequirementOutcome;

const RequirementCase kRequirementCases[] = {
    {"NoneTouchNothing", "", "alt.htm", {}, {}, {}, Met},
    {"OneFulfilled", "check1", "", {"check1.dll"}, {}, {"exists check1.dll", "ask check1.dll"}, Met},
    {"EveryEntryAskedAfterAFailure", "check1,check2", "alt.htm",
     {"check1.dll", "check2.dll", "alt.htm"}, {"check1.dll"},
     {"exists check1.dll", "ask check1.dll", "exists check2.dll", "ask check2.dll",
      "exists alt.htm"},
     AltStartPage},
    {"MissingCountsAsFulfilled", "gone", "", {}, {}, {"exists gone.dll", "missing gone.dll"}, Met},
    {"MissingDoesNotHideAFailure", "gone,check1", "", {"check1.dll"}, {"check1.dll"},
     {"exists gone.dll", "missing gone.dll", "exists check1.dll", "ask check1.dll", "exists "},
     Stop},
    {"NoAltPageStops", "check1", "alt.htm", {"check1.dll"}, {"check1.dll"},
     {"exists check1.dll", "ask check1.dll", "exists alt.htm"}, Stop},
    {"BlankIsPartOfTheName", "check1, check2", "", {"check1.dll", "check2.dll"}, {},
     {"exists check1.dll", "ask check1.dll", "exists  check2.dll", "missing  check2.dll"}, Met},
    {"NamedTwiceAskedTwice", "c,c", "", {"c.dll"}, {},
     {"exists c.dll", "ask c.dll", "exists c.dll", "ask c.dll"}, Met},
    {"OwnExtensionKept", "tool.exe,,x.", "", {"tool.exe", ".dll", "x."}, {},
     {"exists tool.exe", "ask tool.exe", "exists .dll", "ask .dll", "exists x.", "ask x."}, Met},
};

class RequirementCases : public testing::TestWithParam<RequirementCase> {};

TEST_P(RequirementCases, AsksEachLibraryAndDecidesTheStart) {
    const RequirementCase& c = GetParam();
    FakeDisc disc(c.files, c.refusing);
    EXPECT_EQ(CheckRequirementLibraries(kFolder, c.requirements, c.altStartPage, disc), c.outcome);
    EXPECT_EQ(disc.log, c.log);
}

INSTANTIATE_TEST_SUITE_P(Settings, RequirementCases, testing::ValuesIn(kRequirementCases),
                         CaseName());

}  // namespace
}  // namespace velvane
