#include "win32/com_error_win.h"

#include "core/hex_digits.h"
#include "win32/system_error_win.h"

namespace velvane {

OleError::OleError(HRESULT code, const std::string& message)
    : Error(message), code_(code) {}

std::string OleErrorText(HRESULT code) {
    std::string text = SystemErrorText(static_cast<DWORD>(code));
    if (text.empty())
        text = "OLE error " + HexDigits(static_cast<std::uint32_t>(code), 8, HexLetters::Upper);
    return text;
}

void ThrowOleError(HRESULT code) {
    throw OleError(code, OleErrorText(code));
}

}  // namespace velvane
