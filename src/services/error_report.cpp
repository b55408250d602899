#include "services/error_report.h"

#include <cctype>
#include <optional>
#include <typeinfo>

namespace velvane {
namespace {

// Reads one <length><identifier> of a mangled name at `at`; false when there is none.
bool ReadSourceName(std::string_view mangled, std::size_t& at, std::string& readable) {
    std::size_t length = 0;
    const std::size_t start = at;
    // Stops counting once the length exceeds the name: it cannot fit, and cannot overflow.
    while (at < mangled.size() && std::isdigit(static_cast<unsigned char>(mangled[at])) &&
           length <= mangled.size())
        length = length * 10 + static_cast<std::size_t>(mangled[at++] - '0');
    if (at == start || length == 0 || length > mangled.size() - at) return false;
    readable.append(mangled.substr(at, length));
    at += length;
    return true;
}

}  // namespace

std::optional<std::string> ReadableClassName(std::string_view mangled) {
    const bool nested = mangled.starts_with('N');
    std::size_t at = nested ? 1 : 0;
    std::string readable;
    if (mangled.substr(at).starts_with("St")) {
        readable = "std::";
        at += 2;
    }
    if (!ReadSourceName(mangled, at, readable)) return std::nullopt;
    while (nested && at < mangled.size() && mangled[at] != 'E') {
        readable += "::";
        if (!ReadSourceName(mangled, at, readable)) return std::nullopt;
    }
    if (nested && at++ == mangled.size()) return std::nullopt;  // no closing E
    if (at != mangled.size()) return std::nullopt;
    return readable;
}

std::string UnexpectedErrorReportText(std::string_view errorMessage) {
    std::string text = "An unexpected error occured!\rDebug information: \"";
    text += errorMessage;
    text += '"';
    return text;
}

std::string ErrorMessageOf(const std::exception_ptr& error) {
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "Unknown error";
}

std::string ErrorKindAndMessageOf(const std::exception_ptr& error) {
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::exception& e) {
        const char* kind = typeid(e).name();
        return ReadableClassName(kind).value_or(kind) + ": " + e.what();
    } catch (...) {
    }
    return "Unknown error";
}

}  // namespace velvane
