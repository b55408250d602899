#pragma once
// Failure HRESULTs as C++ exceptions: what a caller of the browser sees when a COM call it asked
// for fails. Raised only on the program's side of a COM boundary; COM methods the program
// implements catch at their edge (ComGuarded).

#include <windows.h>

#include <string>

#include "core/error.h"

namespace velvane {

class OleError : public Error {
public:
    OleError(HRESULT code, const std::string& message);
    HRESULT Code() const { return code_; }

private:
    HRESULT code_;
};

// The system's text for `code`, or "OLE error XXXXXXXX" when it has none.
std::string OleErrorText(HRESULT code);

[[noreturn]] void ThrowOleError(HRESULT code);

// Raises OleError for a failure HRESULT; success codes (S_FALSE included) pass.
inline void OleCheck(HRESULT code) {
    if (FAILED(code))
        ThrowOleError(code);
}

}  // namespace velvane
