#include "browserhost/ole_session_win.h"

#include <ole2.h>

namespace velvane {
namespace {

std::uint16_t ReadFpuControlWord() {
    std::uint16_t word = 0;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

void WriteFpuControlWord(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word)); }

}  // namespace

OleSession::OleSession() : savedControlWord_(ReadFpuControlWord()) {
    initialized_ = SUCCEEDED(OleInitialize(nullptr));
}

OleSession::~OleSession() {
    WriteFpuControlWord(savedControlWord_);
    if (initialized_) OleUninitialize();
}

}  // namespace velvane
