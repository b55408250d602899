#include <gtest/gtest.h>

#include "window/navigation.h"

namespace velvane {
namespace {

TEST(NavigationLaunch, OpensAnExistingFileReportsAMissingOneAndNeverStacksReports) {
    int asked = 0;
    auto exists = [&asked](bool answer) {
        return [&asked, answer] {
            ++asked;
            return answer;
        };
    };
    EXPECT_EQ(ChooseLaunchStep(false, exists(true)), LaunchStep::Open);
    EXPECT_EQ(ChooseLaunchStep(false, exists(false)), LaunchStep::ReportMissing);
    EXPECT_EQ(asked, 2);
    // While the report of an earlier click is up, the file is not even looked for.
    EXPECT_EQ(ChooseLaunchStep(true, exists(true)), LaunchStep::None);
    EXPECT_EQ(ChooseLaunchStep(true, exists(false)), LaunchStep::None);
    EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace velvane
