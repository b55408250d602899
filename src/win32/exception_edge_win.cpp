#include "win32/exception_edge_win.h"

#include <cstdlib>
#include <utility>

namespace velvane {
namespace {

ExceptionSink& Sink() {
    static ExceptionSink sink;
    return sink;
}

}  // namespace

void SetExceptionSink(ExceptionSink sink) {
    Sink() = std::move(sink);
}

void HandleExceptionAtEdge() noexcept {
    std::exception_ptr error = std::current_exception();
    try {
        if (Sink()) {
            Sink()(error);
            return;
        }
    } catch (...) {
        // The report itself failed (out of memory while building it): nothing sane is left.
    }
    std::abort();
}

}  // namespace velvane
