#include "app/error_report.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace velvane {
namespace {

std::string Demangle(const char* name) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(
        abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
    return status == 0 && readable ? std::string(readable.get()) : std::string(name);
}

}  // namespace

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
        return Demangle(typeid(e).name()) + ": " + e.what();
    } catch (...) {
    }
    return "Unknown error";
}

}  // namespace velvane
