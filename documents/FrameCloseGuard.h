#pragma once

class CChildFrame;

// What a game window asks before it closes and tells after: the owner of
// the windows answers, so a window never needs to know its owner.
class FrameCloseGuard {
public:
    virtual ~FrameCloseGuard() = default;
    // Whether the window may close: the last window on a modified game asks
    // to save it first.
    virtual bool CanCloseFrame(CChildFrame* frame) = 0;
    virtual void FrameClosed(CChildFrame* frame) = 0;
};
