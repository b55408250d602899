#pragma once
// The browser host's decisions, apart from COM: which command-target commands it takes over,
// what a refresh or script-error handler's answer turns into, how an ambient-property request
// is answered, and where a help request goes. The COM glue asks these and carries the answers
// out.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velvane {

// A GUID with the memory layout of the system's, so the glue can compare the two bytewise.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;
    friend constexpr bool operator==(const Guid&, const Guid&) = default;
};

// The command groups the host tells apart.
// Shell view commands, where the unload notice arrives: {000214D0-0000-0000-C000-000000000046}.
inline constexpr Guid kExplorerCommandGroup = {
    0x000214D0, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// Commands the document sends its host (refresh, script errors):
// {F38BC242-B950-11D1-8918-00C04FC2C836}.
inline constexpr Guid kDocHostCommandGroup = {
    0xF38BC242, 0xB950, 0x11D1, {0x89, 0x18, 0x00, 0xC0, 0x4F, 0xC2, 0xC8, 0x36}};
// The HTML editing commands of the document, the find dialog among them:
// {ED016940-BD5B-11CF-BA4E-00C04FD70816}.
inline constexpr Guid kHtmlCommandGroup = {
    0xED016940, 0xBD5B, 0x11CF, {0xBA, 0x4E, 0x00, 0xC0, 0x4F, 0xD7, 0x08, 0x16}};

// Result codes the host answers with.
inline constexpr std::int32_t kResultOk = 0;
inline constexpr std::int32_t kResultFalse = 1;
inline constexpr std::int32_t kCommandNotSupported = static_cast<std::int32_t>(0x80040100);
inline constexpr std::int32_t kCommandUnknownGroup = static_cast<std::int32_t>(0x80040104);

// Command ids.
inline constexpr std::uint32_t kUnloadCommand = 37;
inline constexpr std::uint32_t kShowScriptErrorCommand = 40;  // OLECMDID_SHOWSCRIPTERROR
inline constexpr std::array<std::uint32_t, 3> kRefreshCommands = {2300, 6041, 6042};
inline constexpr std::uint32_t kFindCommand = 1;   // in kHtmlCommandGroup
inline constexpr std::uint32_t kCopyCommand = 12;  // OLECMDID_COPY, no group

// Which of the command target's events the program assigned.
struct AssignedCommandEvents {
    bool unload = false;
    bool refresh = false;
    bool scriptError = false;
};

enum class ExecRoute {
    UnknownGroup,       // no group given: answer kCommandUnknownGroup, nothing else
    NotSupported,       // nobody takes the command: answer kCommandNotSupported
    AskRefresh,         // ask the refresh event whether to cancel
    ReportScriptError,  // hand the script error to its event
};

struct ExecPlan {
    bool raiseUnload = false;  // raise the unload event first, then follow the route
    ExecRoute route = ExecRoute::NotSupported;
};

ExecPlan PlanExec(const Guid* group, std::uint32_t commandId, AssignedCommandEvents assigned);

// A refresh the handler cancelled is answered as done (0), so the browser skips its own refresh;
// otherwise the browser goes on with it.
std::int32_t RefreshResult(bool cancel);

struct ScriptErrorAnswer {
    std::int32_t result;  // kResultOk: the browser shows no dialog; else its own dialog
    bool continueScript;  // written to the out-variant: whether the page's scripts go on
};
ScriptErrorAnswer AnswerScriptError(bool continueScript, bool showDialog);

// The script-error event object's properties, in the order they are read.
inline constexpr std::array<std::string_view, 5> kScriptErrorProperties = {
    "errorCharacter", "errorCode", "errorMessage", "errorUrl", "errorline"};

// The error raised when the event object does not know one of them.
std::string UnsupportedPropertyMessage(std::string_view property);

// Ambient properties.
inline constexpr std::int32_t kAmbientDownloadControl = -5512;  // DISPID_AMBIENT_DLCONTROL
inline constexpr std::uint16_t kDispatchPropertyGet = 2;

enum class AmbientRoute {
    DownloadControl,  // answer the download-control word as a VT_I4
    Event,            // the program's OnInvoke answers
    Standard,         // the container's standard ambient answers
};
AmbientRoute PlanAmbientInvoke(std::int32_t dispId, std::uint16_t flags, bool hasResult,
                               bool hasInvokeEvent);

// The download-control word as the signed 32-bit number the browser reads.
constexpr std::int32_t DownloadControlAnswer(std::uint32_t flags) {
    return static_cast<std::int32_t>(flags);
}

// The container's standard ambient answers: a flag, a number, or the user's locale (which only
// the system knows).
struct StandardAmbient {
    enum class Kind { Flag, Number, UserLocale };
    Kind kind;
    std::int32_t value;
};
std::optional<StandardAmbient> FindStandardAmbient(std::int32_t dispId);

// Help requests: the program's event, else HTML Help with the host's help file, else the
// browser's own handling.
enum class HelpRoute { Event, HtmlHelp, Browser };
HelpRoute PlanShowHelp(bool hasEvent, bool hasHelpFile);

}  // namespace velvane
