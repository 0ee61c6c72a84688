#pragma once

/// Shows the hourglass for its lifetime, so that every way out of a long operation restores the
/// cursor the screen had before.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
