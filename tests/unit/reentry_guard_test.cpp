#include "browserhost/reentry_guard.h"

#include <gtest/gtest.h>

#include <string>

#include "case_name.h"

namespace velvane {
namespace {

// Each case is a run of steps, one letter each, and what the steps that answer said:
//   e  a call begins                 l  it returns            (answers 1: run the waiting work)
//   u  the UI handler announces the control's modal UI       U  its end (answers like l)
//   f  the in-place frame announces it                       F  its end
//   r  may the teardown run now?     (answers y, or n: it waits)
struct GuardCase {
    const char* name;
    const char* steps;
    const char* answers;
};

const GuardCase kCases[] = {
    {"NothingOnTheStackRunsAtOnce", "r", "y"},
    {"InsideAnEventWaitsForItsReturn", "erl", "n1"},
    {"NestedCallsWaitForTheOutermost", "eerll", "n01"},
    {"AskedTwiceIsReportedOnce", "errl", "nn1"},
    {"NothingWaitingReportsNothing", "el", "0"},
    {"ACallAfterTheReportWaitsAgain", "erlerl", "n1n1"},
    {"ALeaveWithoutAnEnterChangesNothing", "ler", "0n"},
    {"TheControlsModalUICountsAsACall", "urU", "n1"},
    {"ModalUIEndedInsideACallWaitsForTheCall", "eurUl", "n01"},
    {"ModalUIBegunInsideACallOutlivesIt", "eurlU", "n01"},
    {"BothAnnouncementsOfOneDialogAreAwaited", "ufrUF", "n01"},
    {"AnEndWithoutAStartChangesNothing", "Ur", "0y"},
    {"OneSourcesEndKeepsTheOthersUI", "ufrFr", "n0n"},
    {"NestedModalUIOfOneSource", "uurUU", "n01"},
};

class Reentry : public testing::TestWithParam<GuardCase> {};

TEST_P(Reentry, TheTeardownWaitsForTheOutermostCall) {
    const GuardCase& c = GetParam();
    ReentryGuard guard;
    std::string answers;
    for (const char* step = c.steps; *step; ++step) {
        switch (*step) {
            case 'e':
                guard.Enter();
                break;
            case 'l':
                answers += guard.Leave() ? '1' : '0';
                break;
            case 'u':
                guard.ModalUIStarted(ModalSource::UIHandler);
                break;
            case 'U':
                answers += guard.ModalUIEnded(ModalSource::UIHandler) ? '1' : '0';
                break;
            case 'f':
                guard.ModalUIStarted(ModalSource::Frame);
                break;
            case 'F':
                answers += guard.ModalUIEnded(ModalSource::Frame) ? '1' : '0';
                break;
            case 'r':
                answers += guard.MayRunNow() ? 'y' : 'n';
                break;
            default:
                FAIL() << "unknown step " << *step;
        }
    }
    EXPECT_EQ(answers, c.answers);
}

INSTANTIATE_TEST_SUITE_P(Steps, Reentry, testing::ValuesIn(kCases), CaseName());

}  // namespace
}  // namespace velvane
