#pragma once

namespace host::sdl {

// Makes Xlib overlook one harmless error: a BadWindow for an event sent to a window that has
// gone. SDL wakes its waiting event loop from another thread (our quit-signal relay) by
// sending an event to one of our windows over a second X connection; when the loop has
// meanwhile taken the quit and closed its windows, the X server may handle the window's
// destruction first. Xlib's default handler would then end the program with status 1 at its
// very last step. Every other error goes to the handler that was there before. Call after the
// video subsystem is up.
void OverlookEventsToVanishedWindows();

}  // namespace host::sdl
