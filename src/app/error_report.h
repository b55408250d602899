#pragma once
// Texts of the two reports of errors that nobody handled.

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velvane {

// An error the program raises on purpose, with a user-facing (catalogue) message.
class ApplicationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "An unexpected error occured!" CR "Debug information: " then the message in double quotes.
// Always English, whatever the message language.
std::string UnexpectedErrorReportText(std::string_view errorMessage);

// The message of any exception; a fixed text for ones that are not std::exception.
std::string ErrorMessageOf(const std::exception_ptr& error);

// The error's kind and message, for the stop box of errors that escape start-up.
std::string ErrorKindAndMessageOf(const std::exception_ptr& error);

}  // namespace velvane
