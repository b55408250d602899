// The disc checker against the program: for a disc with one fault, the messages velvane-check
// predicts are exactly the boxes autostart.exe shows, text for text, in that order.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "case_name.h"
#include "check/disc_check.h"
#include "driver/driver.h"
#include "support/bitmap_file.h"
#include "e2e/program_runs.h"
#include "e2e/sample_disc.h"

namespace velvane::e2e {
namespace {

struct CrossCheckCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;  // autorun.inf among them, or not
    std::vector<std::int32_t> messages;                      // the ids the program shows
};

const std::string kPage =
    "<html><head><meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">"
    "</head><body></body></html>";

std::string Settings(const std::string& lines) {
    return "[velvane]\r\nstartpage=index.html\r\n" + lines;
}

const CrossCheckCase kCases[] = {
    {"ConfigurationMissing", {{"index.html", kPage}}, {4}},
    {"RequirementUnusableWithoutAlternativePage",
     {{"autorun.inf", Settings("requirements=check\r\n")},
      {"index.html", kPage},
      {"check.dll", "MZ, but no library"}},
     {2, 7}},
    {"WindowPositionInvalid",
     {{"autorun.inf", Settings("windowposition=Center\r\n")}, {"index.html", kPage}},
     {8}},
    {"ButtonBitmapMissing",
     {{"autorun.inf", Settings("toolbar=gohome,exit\r\n")},
      {"index.html", kPage},
      {"buttons\\gohome.bmp", PlainBitmap(32, 32)}},
     {9}},
    // Every sample disc has an index.html: this one names another page.
    {"StartPageMissing", {{"autorun.inf", "[velvane]\r\nstartpage=main.html\r\n"}}, {15}},
    {"ButtonSizesDiffer",
     {{"autorun.inf", Settings("toolbar=gohome,exit\r\n")},
      {"index.html", kPage},
      {"buttons\\gohome.bmp", PlainBitmap(32, 32)},
      {"buttons\\exit.bmp", PlainBitmap(24, 32)}},
     {17}},
};

class CheckerPrediction : public testing::TestWithParam<CrossCheckCase> {};

TEST_P(CheckerPrediction, IsWhatTheProgramShows) {
    if (GermanUser()) GTEST_SKIP() << "the checker quotes the English messages";
    SampleDisc disc;
    for (const auto& [path, content] : GetParam().files) disc.Write(path, content);

    std::vector<Finding> predicted;
    for (Finding& finding : CheckDisc(disc.Folder(), disc.Folder())) {
        if (finding.messageId != 0) predicted.push_back(std::move(finding));
    }
    ASSERT_EQ(predicted.size(), GetParam().messages.size());
    for (std::size_t i = 0; i < predicted.size(); ++i) {
        EXPECT_EQ(predicted[i].messageId, GetParam().messages[i]) << FormatFinding(predicted[i]);
    }

    driver::Process program = disc.Start();
    for (const Finding& finding : predicted) {
        std::optional<driver::MessageBoxInfo> box =
            driver::WaitForMessageBox(program.Id(), kWindowTimeout);
        ASSERT_TRUE(box) << "no box for: " << FormatFinding(finding);
        EXPECT_EQ(box->text, finding.message);
        driver::Dismiss(*box,
                        box->buttons.size() == 1 && box->buttons[0] == "OK" ? IDOK : IDCANCEL);
    }
    std::optional<DWORD> code = program.WaitForExit(kExitTimeout);
    ASSERT_TRUE(code) << "still running after the predicted boxes";
    EXPECT_FALSE(MainWindowVisible(program.Id()));
}

INSTANTIATE_TEST_SUITE_P(Discs, CheckerPrediction, testing::ValuesIn(kCases), CaseName());

}  // namespace
}  // namespace velvane::e2e
