#pragma once
// What the stand-in WebBrowser control and the tests that drive it agree on: how it is told what
// to do, how it is set up for one run, and the words its log uses.
//
// Commands are texts sent with WM_COPYDATA (dwData = kCommandTag) to the control's own
// "Shell Embedding" window. The control queues them and runs them on its own thread after the
// message returns, one at a time; after each it logs "DONE <n> <command>" (n counts from 1). A
// command whose event shows a modal box logs DONE only once the event has returned.
//
//   click <link>        left click on a link (its index from 0 in page order, or its id)
//   shiftclick <link>   Shift+click: the link in a new window
//   rightclick          right click on the page
//   key <name>          a key the page handles itself: ctrl+n, ctrl+c, f5
//   scripterror [<frame>]  a script error in the top page, or in frame number <frame>
//   windowclose         the page's script calls window.close()
//   complete            finish a load held by VELVANE_STANDIN_HOLD
//   profile plain|file  how link addresses are reported from now on
//   load <address>      the page's script sets location to <address>
//   newwindow2          new-window requests raise NewWindow2 from now on, instead of NewWindow3
//   alttab              another window takes the activation and gives it back (Alt+Tab and back)
//   frameclick <frame> <link>  left click on a link of the page in frame number <frame> (from 0,
//                       frames before iframes): the frame's own browser navigates
//   alert               the page's script calls alert(): the host's ShowMessage first, then,
//                       unless the host showed it, the control's own modal message box
//
// The control's own modal UI (the print dialog of print(), the find dialog, the message box of
// alert()) runs a modal loop that dispatches the thread's messages for VELVANE_STANDIN_MODAL_MS
// milliseconds, between EnableModeless(FALSE) and EnableModeless(TRUE) to the host's UI handler
// and frame, as the platform's control announces modal UI. Without the variable it shows none.
//
// Tab, PgDn and the wheel are not commands: a test posts them to the window with the keyboard
// focus, as the system would, and the log says whether the page got them ("PAGE-KEY <name>").

#include <windows.h>

namespace velvane::standin {

constexpr ULONG_PTR kCommandTag = 0x564C5653;  // "VLVS"

// Environment of the process that loads the stand-in.
constexpr char kLogVariable[] = "VELVANE_STANDIN_LOG";         // log file (Windows path)
constexpr char kProfileVariable[] = "VELVANE_STANDIN_PROFILE"; // "plain" (default) or "file"
constexpr char kHoldVariable[] = "VELVANE_STANDIN_HOLD";       // "1": first load waits for "complete"
// Which release of the control it behaves as (the default: XP SP2 and later, NewWindow3 alone):
//   "ie5"   before IE 5.5: NewWindow2 alone, and no WindowClosing: a script's window.close()
//           makes the control destroy its own window
//   "ie6"   IE 5.5 and 6 before XP SP2: NewWindow2 alone, WindowClosing
//   "both"  NewWindow2 and then NewWindow3 for one request, the second starting from the answers
//           given to the first
constexpr char kControlVariable[] = "VELVANE_STANDIN_CONTROL";
constexpr char kModalVariable[] = "VELVANE_STANDIN_MODAL_MS";  // how long modal UI stays up

// The stand-in's file name in the build's output folder.
constexpr char kLibraryName[] = "velvane_standin.dll";

// Marks in the log.
constexpr char kTeardownInEvent[] = "TEARDOWN-IN-EVENT";  // the host let go inside an event
constexpr char kTeardownInModal[] = "TEARDOWN-IN-MODAL";  // ... inside the control's modal UI
constexpr char kModalBegin[] = "MODAL-BEGIN";             // the control's modal UI, and what it is
constexpr char kModalEnd[] = "MODAL-END";
constexpr char kOutsideWindow[] = "OUTSIDE-WINDOW";       // a window outside the menu opened
constexpr char kPageKey[] = "PAGE-KEY";                   // the page got a key or the wheel
constexpr char kOwnContextMenu[] = "OWN-CONTEXT-MENU";    // the browser showed its own menu
constexpr char kOwnQuestion[] = "OWN-CLOSE-QUESTION";     // IE asks before closing by script
constexpr char kPageCommand[] = "PAGE-COMMAND";           // print, copy or find reached the page
constexpr char kOwnWindowGone[] = "CONTROL-WINDOW-DESTROYED";  // window.close() before IE 5.5

}  // namespace velvane::standin
