// The C++ ABI's demangling entry point, reduced to class names, for autostart.exe only.
//
// The library's default terminate handler names the escaping exception through
// abi::__cxa_demangle, and with it the full demangler and the printf engine it uses end up in
// every exe: about 65 KB, an eighth of the program, for a line written to a console that a
// windowed program does not have. Defining the public entry point here keeps the library's
// implementation out of the link. Should a future library need another symbol from that
// implementation, the link fails with a duplicate definition instead of growing silently.

#include <cxxabi.h>

#include <cstdlib>
#include <cstring>

#include "services/error_report.h"

namespace __cxxabiv1 {

extern "C" char* __cxa_demangle(const char* mangledName, char* outputBuffer, std::size_t* length,
                                int* status) {
    auto answer = [status](int code) {
        if (status) *status = code;
        return nullptr;
    };
    if (!mangledName || (outputBuffer && !length)) return answer(-3);  // invalid argument
    std::optional<std::string> readable;
    try {
        readable = velvane::ReadableClassName(mangledName);
    } catch (...) {
        return answer(-1);  // out of memory
    }
    if (!readable) return answer(-2);  // not a form this reader knows
    // As the ABI asks: the caller's buffer when it holds the name, otherwise it is reallocated.
    const std::size_t needed = readable->size() + 1;
    char* result = outputBuffer;
    if (!result || *length < needed) {
        result = static_cast<char*>(std::realloc(outputBuffer, needed));
        if (!result) return answer(-1);
        if (length) *length = needed;
    }
    std::memcpy(result, readable->c_str(), needed);
    if (status) *status = 0;
    return result;
}

}  // namespace __cxxabiv1
