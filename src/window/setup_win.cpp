// Setting the main window up from the launch settings, before it is first shown.

#include "window/browser_window_win.h"

namespace velvane {

void TBrowserWindow::SetupMainWindow() { closeTicks = 0; }

}  // namespace velvane
