// The browser host's decisions: command-target routing, refresh and script-error answers,
// ambient-property routing and the standard ambients, help routing.

#include <gtest/gtest.h>

#include <optional>

#include "browserhost/web_host_rules.h"

namespace velvane {
namespace {

TEST(WebHostRules, ExecTakesOverOnlyAssignedCommandsOfItsGroups) {
    const Guid other = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    const AssignedCommandEvents all = {true, true, true};
    const AssignedCommandEvents none = {};
    struct Case {
        const char* name;
        const Guid* group;
        std::uint32_t command;
        AssignedCommandEvents assigned;
        bool unload;
        ExecRoute route;
    };
    const Case cases[] = {
        {"no group", nullptr, 2300, all, false, ExecRoute::UnknownGroup},
        {"no group, unload id", nullptr, 37, all, false, ExecRoute::UnknownGroup},
        {"no group, script error id", nullptr, 40, all, false, ExecRoute::UnknownGroup},
        {"other group", &other, 2300, all, false, ExecRoute::NotSupported},
        {"unload", &kExplorerCommandGroup, 37, all, true, ExecRoute::NotSupported},
        {"unload unassigned", &kExplorerCommandGroup, 37, none, false, ExecRoute::NotSupported},
        {"unload id in the document-host group", &kDocHostCommandGroup, 37, all, false,
         ExecRoute::NotSupported},
        {"explorer group, refresh id", &kExplorerCommandGroup, 2300, all, false,
         ExecRoute::NotSupported},
        {"refresh 2300", &kDocHostCommandGroup, 2300, all, false, ExecRoute::AskRefresh},
        {"refresh 6041", &kDocHostCommandGroup, 6041, all, false, ExecRoute::AskRefresh},
        {"refresh 6042", &kDocHostCommandGroup, 6042, all, false, ExecRoute::AskRefresh},
        {"refresh unassigned", &kDocHostCommandGroup, 2300, none, false, ExecRoute::NotSupported},
        {"near a refresh id", &kDocHostCommandGroup, 6043, all, false, ExecRoute::NotSupported},
        {"script error", &kDocHostCommandGroup, 40, all, false, ExecRoute::ReportScriptError},
        {"script error with only refresh assigned",
         &kDocHostCommandGroup,
         40,
         {false, true, false},
         false,
         ExecRoute::NotSupported},
        {"script error in the HTML group", &kHtmlCommandGroup, 40, all, false,
         ExecRoute::NotSupported},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExecPlan plan = PlanExec(c.group, c.command, c.assigned);
        EXPECT_EQ(plan.raiseUnload, c.unload);
        EXPECT_EQ(plan.route, c.route);
    }
}

TEST(WebHostRules, RefreshAndScriptErrorAnswers) {
    EXPECT_EQ(RefreshResult(false), kCommandNotSupported);
    EXPECT_EQ(RefreshResult(true), kResultOk);

    struct Case {
        bool continueScript;
        bool showDialog;
        std::int32_t result;
    };
    const Case cases[] = {
        {true, true, kCommandNotSupported},
        {true, false, kResultOk},
        {false, true, kCommandNotSupported},
        {false, false, kResultOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.continueScript << c.showDialog);
        ScriptErrorAnswer answer = AnswerScriptError(c.continueScript, c.showDialog);
        EXPECT_EQ(answer.result, c.result);
        EXPECT_EQ(answer.continueScript, c.continueScript);
    }
    EXPECT_EQ(UnsupportedPropertyMessage("errorUrl"), "'errorUrl' not supported.");
}

TEST(WebHostRules, AmbientInvokeAnswersDownloadControlOnlyForAPropertyGetWithAResult) {
    constexpr std::uint16_t kMethod = 1;
    constexpr std::uint16_t kGet = kDispatchPropertyGet;
    struct Case {
        const char* name;
        std::int32_t dispId;
        std::uint16_t flags;
        bool hasResult;
        bool hasEvent;
        AmbientRoute route;
    };
    const Case cases[] = {
        {"get", kAmbientDownloadControl, kGet, true, false, AmbientRoute::DownloadControl},
        {"get with method bit too", kAmbientDownloadControl, kGet | kMethod, true, true,
         AmbientRoute::DownloadControl},
        {"get, event assigned", kAmbientDownloadControl, kGet, true, true,
         AmbientRoute::DownloadControl},
        {"method", kAmbientDownloadControl, kMethod, true, false, AmbientRoute::Standard},
        {"method, event assigned", kAmbientDownloadControl, kMethod, true, true,
         AmbientRoute::Event},
        {"no result", kAmbientDownloadControl, kGet, false, false, AmbientRoute::Standard},
        {"no result, event assigned", kAmbientDownloadControl, kGet, false, true,
         AmbientRoute::Event},
        {"other property", -709, kGet, true, false, AmbientRoute::Standard},
        {"other property, event assigned", -709, kGet, true, true, AmbientRoute::Event},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlanAmbientInvoke(c.dispId, c.flags, c.hasResult, c.hasEvent), c.route);
    }
    // The word is read as a signed 32-bit number.
    EXPECT_EQ(DownloadControlAnswer(0x90000000), -1879048192);
    EXPECT_EQ(DownloadControlAnswer(0x70), 0x70);
}

TEST(WebHostRules, StandardAmbientsDescribeAUserModeContainer) {
    using Kind = StandardAmbient::Kind;
    struct Case {
        const char* name;
        std::int32_t dispId;
        std::optional<Kind> kind;
        std::int32_t value;
    };
    const Case cases[] = {
        {"user mode", -709, Kind::Flag, 1},
        {"UI dead", -710, Kind::Flag, 0},
        {"grab handles", -711, Kind::Flag, 0},
        {"hatching", -712, Kind::Flag, 0},
        {"locale", -705, Kind::UserLocale, 0},
        {"back colour: system window colour", -701, Kind::Number,
         static_cast<std::int32_t>(0x80000005)},
        {"download control is not a standard ambient", kAmbientDownloadControl, std::nullopt, 0},
        {"offline if not connected", -5501, std::nullopt, 0},
        {"silent", -5502, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<StandardAmbient> answer = FindStandardAmbient(c.dispId);
        ASSERT_EQ(answer.has_value(), c.kind.has_value());
        if (!answer)
            continue;
        EXPECT_EQ(answer->kind, *c.kind);
        EXPECT_EQ(answer->value, c.value);
    }
}

TEST(WebHostRules, HelpGoesToTheEventThenTheHelpFileThenTheBrowser) {
    EXPECT_EQ(PlanShowHelp(true, true), HelpRoute::Event);
    EXPECT_EQ(PlanShowHelp(true, false), HelpRoute::Event);
    EXPECT_EQ(PlanShowHelp(false, true), HelpRoute::HtmlHelp);
    EXPECT_EQ(PlanShowHelp(false, false), HelpRoute::Browser);
}

}  // namespace
}  // namespace velvane
