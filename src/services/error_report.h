#pragma once
// Texts of the two reports of errors that nobody handled.

#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "core/error.h"

namespace velvane {

// An error the program raises on purpose, with a user-facing (catalogue) message.
class ApplicationError : public Error {
public:
    using Error::Error;
};

// "An unexpected error occured!" CR "Debug information: " then the message in double quotes.
// Always English, whatever the message language.
std::string UnexpectedErrorReportText(std::string_view errorMessage);

// The message of any exception; a fixed text for ones that are not std::exception.
std::string ErrorMessageOf(const std::exception_ptr& error);

// The readable name of a class from its mangled name (as type_info gives it), for the forms an
// error class takes: a name, a name inside namespaces or classes, and names in std. Nothing for
// any other form (templates, local classes), which the reports then show as mangled. The
// library's full demangler would add a sixth to the size of the exe for a report nobody should
// ever see.
std::optional<std::string> ReadableClassName(std::string_view mangled);

// The error's kind and message, for the stop box of errors that escape start-up.
std::string ErrorKindAndMessageOf(const std::exception_ptr& error);

}  // namespace velvane
