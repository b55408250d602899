#pragma once

namespace velvane {

// The program from its application object to the end of the message loop, in the fixed
// start-up order. Returns the process exit code.
int RunProgram();

}  // namespace velvane
