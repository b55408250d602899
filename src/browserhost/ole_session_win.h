#pragma once
// OLE for the program's one thread, set up before any window exists. The floating-point
// control word is saved first and put back at the end: browser components and the drivers they
// load are known to change it, and the C++ runtime expects its own.

#include <cstdint>

namespace velvane {

class OleSession {
public:
    OleSession();
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    std::uint16_t savedControlWord_ = 0;
    bool initialized_ = false;
};

}  // namespace velvane
