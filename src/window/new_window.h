#pragma once
// Which of the browser's new-window events carries a request for another window (a link with a
// target of its own, Shift+click, window.open), so that every request is handled once, as a
// click in the menu.
//
// Controls since XP SP2 raise NewWindow3, which names the address. Older ones raise NewWindow2
// alone, which names none: the only way to learn the address is to hand the control a hidden
// browser of the program's own, whose first navigation is the request's. A control that raises
// both for one request raises NewWindow2 first, so the browser handed out then is not needed
// once NewWindow3 has come; from then on the control is known to name its addresses, and
// NewWindow2 is refused outright.

#include <cstdint>
#include <vector>

namespace velvane {

class NewWindowRequests {
public:
    // NewWindow2. 0: refuse it (cancel). Otherwise hand out a hidden browser for request
    // number `n` (the answer), and ask `CaughtNavigation(n)` when it first navigates.
    std::uint32_t NewWindow2();
    // NewWindow3 names the address itself: no request waits for a hidden browser any more.
    void NewWindow3();
    // A navigation of the hidden browser of request `n`: true only for the first navigation of a
    // request that NewWindow3 has not answered. The browser cancels every navigation either way.
    bool CaughtNavigation(std::uint32_t n);
    // Whether request `n` still waits for its navigation; its browser is released once not.
    bool Waiting(std::uint32_t n) const;

private:
    bool namesAddresses_ = false;  // the control has raised NewWindow3
    std::uint32_t next_ = 1;
    std::vector<std::uint32_t> waiting_;
};

}  // namespace velvane
