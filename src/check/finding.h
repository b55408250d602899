#pragma once
// What the disc checker reports: one finding per problem, for people and for build pipelines.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velvane {

enum class Severity { Warning, Error };

struct Finding {
    std::string file;      // as the user named it: the disc folder joined with the file's own path
    std::size_t line = 0;  // 0: the file as a whole
    Severity severity = Severity::Warning;
    std::string text;
    // A message of the program's catalogue that this finding predicts (0: none), in English.
    std::int32_t messageId = 0;
    std::string message;
};

// `file:line: error|warning: text`, on one line.
std::string FormatFinding(const Finding& finding);

// The findings as one JSON array of objects with the keys file, line, severity, text and, for a
// predicted message, messageId and message.
std::string FindingsAsJson(const std::vector<Finding>& findings);

// A catalogue text on one line, as a message box shows it: its line breaks become blanks.
std::string OnOneLine(std::string_view text);

}  // namespace velvane
