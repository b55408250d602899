#pragma once
// The base of every error the program raises itself.

#include <exception>
#include <string>
#include <utility>

namespace velvane {

// Keeps its message in an ordinary std::string. The library's std::runtime_error keeps it in a
// second, reference-counted string implementation of its own, which alone would add about a
// sixth to the size of the exe that lies on every disc.
class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

}  // namespace velvane
