#include "check/finding.h"

#include <cstdio>

namespace velvane {
namespace {

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else if (byte >= 0x80) {
            // Texts are code page 1252; JSON is UTF-8. The code page's 0x80-0x9F are not
            // Latin-1, but names and messages of a disc hardly use them: they become U+FFFD.
            const char32_t point = byte >= 0xA0 ? byte : 0xFFFD;
            if (point < 0x800) {
                out += static_cast<char>(0xC0 | (point >> 6));
            } else {
                out += static_cast<char>(0xE0 | (point >> 12));
                out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            }
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            out += c;
        }
    }
    out += '"';
}

const char* SeverityWord(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

}  // namespace

std::string FormatFinding(const Finding& finding) {
    return finding.file + ":" + std::to_string(finding.line) + ": " +
           SeverityWord(finding.severity) + ": " + finding.text;
}

std::string FindingsAsJson(const std::vector<Finding>& findings) {
    std::string out = "[";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out += i == 0 ? "\n  {" : ",\n  {";
        out += "\"file\": ";
        AppendJsonString(out, f.file);
        out += ", \"line\": " + std::to_string(f.line) + ", \"severity\": \"" +
               SeverityWord(f.severity) + "\", \"text\": ";
        AppendJsonString(out, f.text);
        if (f.messageId != 0) {
            out += ", \"messageId\": " + std::to_string(f.messageId) + ", \"message\": ";
            AppendJsonString(out, f.message);
        }
        out += "}";
    }
    out += findings.empty() ? "]\n" : "\n]\n";
    return out;
}

std::string OnOneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return line;
}

}  // namespace velvane
