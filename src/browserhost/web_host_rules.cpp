#include "browserhost/web_host_rules.h"

#include <algorithm>

namespace velvane {
namespace {

bool IsRefreshCommand(std::uint32_t commandId) {
    return std::find(kRefreshCommands.begin(), kRefreshCommands.end(), commandId) !=
           kRefreshCommands.end();
}

struct StandardAmbientEntry {
    std::int32_t dispId;
    StandardAmbient answer;
};

using Kind = StandardAmbient::Kind;

// A control hosted for a user, not for design: no grab handles or hatching, mnemonics and
// clipping on, system window colours, the user's locale. Anything else is "not found", so the
// browser keeps its own default.
constexpr StandardAmbientEntry kStandardAmbients[] = {
    {-701, {Kind::Number, static_cast<std::int32_t>(0x80000005)}},  // BACKCOLOR: COLOR_WINDOW
    {-704, {Kind::Number, static_cast<std::int32_t>(0x80000008)}},  // FORECOLOR: COLOR_WINDOWTEXT
    {-705, {Kind::UserLocale, 0}},                                  // LOCALEID
    {-706, {Kind::Flag, 0}},                                        // MESSAGEREFLECT
    {-709, {Kind::Flag, 1}},                                        // USERMODE
    {-710, {Kind::Flag, 0}},                                        // UIDEAD
    {-711, {Kind::Flag, 0}},                                        // SHOWGRABHANDLES
    {-712, {Kind::Flag, 0}},                                        // SHOWHATCHING
    {-713, {Kind::Flag, 0}},                                        // DISPLAYASDEFAULT
    {-714, {Kind::Flag, 1}},                                        // SUPPORTSMNEMONICS
    {-715, {Kind::Flag, 1}},                                        // AUTOCLIP
};

}  // namespace

ExecPlan PlanExec(const Guid* group, std::uint32_t commandId, AssignedCommandEvents assigned) {
    if (!group)
        return {false, ExecRoute::UnknownGroup};
    ExecPlan plan;
    plan.raiseUnload =
        commandId == kUnloadCommand && *group == kExplorerCommandGroup && assigned.unload;
    if (!(*group == kDocHostCommandGroup))
        return plan;
    if (assigned.refresh && IsRefreshCommand(commandId)) {
        plan.route = ExecRoute::AskRefresh;
    } else if (commandId == kShowScriptErrorCommand && assigned.scriptError) {
        plan.route = ExecRoute::ReportScriptError;
    }
    return plan;
}

std::int32_t RefreshResult(bool cancel) {
    return cancel ? kResultOk : kCommandNotSupported;
}

ScriptErrorAnswer AnswerScriptError(bool continueScript, bool showDialog) {
    return {showDialog ? kCommandNotSupported : kResultOk, continueScript};
}

std::string UnsupportedPropertyMessage(std::string_view property) {
    std::string message = "'";
    message += property;
    message += "' not supported.";
    return message;
}

AmbientRoute PlanAmbientInvoke(std::int32_t dispId, std::uint16_t flags, bool hasResult,
                               bool hasInvokeEvent) {
    if ((flags & kDispatchPropertyGet) != 0 && hasResult && dispId == kAmbientDownloadControl) {
        return AmbientRoute::DownloadControl;
    }
    return hasInvokeEvent ? AmbientRoute::Event : AmbientRoute::Standard;
}

std::optional<StandardAmbient> FindStandardAmbient(std::int32_t dispId) {
    for (const StandardAmbientEntry& entry : kStandardAmbients) {
        if (entry.dispId == dispId)
            return entry.answer;
    }
    return std::nullopt;
}

HelpRoute PlanShowHelp(bool hasEvent, bool hasHelpFile) {
    if (hasEvent)
        return HelpRoute::Event;
    return hasHelpFile ? HelpRoute::HtmlHelp : HelpRoute::Browser;
}

}  // namespace velvane
