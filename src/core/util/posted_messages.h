#pragma once

namespace tessaray {

// The numbers background work posts to its owner when it is done. The desktop program turns each
// into its command; the command line's fetch waits for the same number.
enum EPostedMessage : unsigned {
    WM_RANK_DONE = 0x006A,  // a rank job finished
    WM_PAGE_DONE = 0x0401,  // a fetch pair (robots.txt, then the page) is done
    WM_UPDATE_DONE = 0x0402 // the update check's download arrived
};

} // namespace tessaray
