#pragma once
// Whether the browser control may be torn down now: never while a call between the program and
// the control is on the stack, in either direction.
//
// The control runs modal loops inside such calls: the print dialog inside the page's print(),
// the find dialog inside its command, HTML Help inside ShowHelp, a message box inside an event
// of the program's. Every message the thread gets meanwhile (a close request, the closing
// sequence's timer) is handled on top of the call. Tearing the control down there frees it
// under its own feet: the call returns into a freed object. The control also runs modal UI of
// its own (a script's alert(), a download prompt) from its window procedure, with no call of the
// program's on the stack; it announces that UI to its host with EnableModeless(FALSE) and its
// end with EnableModeless(TRUE), and the guard counts it as a call.
//
// Work that must not run under a call (the teardown, a navigation that replaces the page) asks
// MayRunNow; when the answer is no, the call that releases the guard reports that the work may
// run (Leave or ModalUIEnded answers true), once.

#include <array>
#include <cstddef>

namespace velvane {

// Who announced the control's modal UI: the document host's UI handler or the in-place frame.
// The control may tell both about one dialog; each keeps its own count.
enum class ModalSource : std::size_t { UIHandler, Frame };

class ReentryGuard {
public:
    // A call begins: an event, a host-interface method the control calls, or a call of the
    // program's into the control.
    void Enter() noexcept { ++calls_; }
    // The call returned. True when nothing is on the stack any more and work waits: the owner
    // runs it now. A leave without an enter changes nothing.
    [[nodiscard]] bool Leave() noexcept;

    // The control announced modal UI of its own (EnableModeless(FALSE)), and its end (TRUE).
    // The end answers like Leave; an end without a start changes nothing.
    void ModalUIStarted(ModalSource source) noexcept;
    [[nodiscard]] bool ModalUIEnded(ModalSource source) noexcept;

    bool Held() const noexcept;

    // True when work that must not run under a call may run now. Otherwise it waits, and the
    // release of the guard reports it.
    [[nodiscard]] bool MayRunNow() noexcept;

private:
    [[nodiscard]] bool Released() noexcept;

    int calls_ = 0;
    std::array<int, 2> modalUI_{};
    bool workWaits_ = false;
};

}  // namespace velvane
