#pragma once

namespace host::sdl {

// Makes Xlib overlook one harmless error: a BadWindow for an event sent to a window that has
// gone. SDL wakes its waiting event loop from another thread (our quit-signal relay) by
// sending an event to one of our windows over a second X connection. The loop stops the relay
// before it closes any window, but the X server may still take the two connections' requests
// in either order; Xlib's default handler would then end the program with status 1 at its
// very last step. Every other error goes to the handler that was there before. Call after the
// video subsystem is up.
void OverlookEventsToVanishedWindows();

}  // namespace host::sdl
