#include "win32/system_error_win.h"

#include "core/error.h"

namespace velvane {

std::string SystemErrorText(DWORD code) {
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, buffer, sizeof buffer, nullptr);
    // System texts end in a line break (and sometimes a space before it); reports quote the
    // text, so the break goes.
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' ||
                          buffer[length - 1] == ' ')) {
        --length;
    }
    return std::string(buffer, length);
}

void ThrowLastError(const char* operation) {
    const DWORD code = GetLastError();
    std::string text = SystemErrorText(code);
    if (text.empty()) text = "error " + std::to_string(code);
    throw Error(std::string(operation) + ": " + text);
}

}  // namespace velvane
