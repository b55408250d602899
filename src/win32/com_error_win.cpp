#include "win32/com_error_win.h"

#include <cstdio>

namespace velvane {

OleError::OleError(HRESULT code, const std::string& message)
    : std::runtime_error(message), code_(code) {}

std::string OleErrorText(HRESULT code) {
    char buffer[512] = {};
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(code), 0, buffer, sizeof buffer, nullptr);
    // System texts end in a line break (and sometimes a dot before it); the report quotes the
    // text, so the break goes.
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' ||
                          buffer[length - 1] == ' ')) {
        --length;
    }
    if (length > 0)
        return std::string(buffer, length);
    std::snprintf(buffer, sizeof buffer, "OLE error %08lX", static_cast<unsigned long>(code));
    return buffer;
}

void ThrowOleError(HRESULT code) {
    throw OleError(code, OleErrorText(code));
}

}  // namespace velvane
