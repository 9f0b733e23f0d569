// What the program learns from the display system when things go wrong: the one place that
// talks to Xlib and libwayland directly.
#pragma once
#include <SDL.h>

#include <string>

namespace host::sdl {

// Makes Xlib overlook one harmless error: a BadWindow for an event sent to a window that has
// gone. SDL wakes its waiting event loop from another thread (our quit-signal relay) by
// sending an event to one of our windows over a second X connection. The loop stops the relay
// before it closes any window, but the X server may still take the two connections' requests
// in either order; Xlib's default handler would then end the program with status 1 at its
// very last step. Every other error goes to the handler that was there before. Call before
// the video subsystem starts: SDL chains its own handler to this one while it runs and puts
// this one back when it closes its connections, which is when such an error often arrives.
void OverlookEventsToVanishedWindows();

// Whether a connection to the X server has broken (the server was killed or crashed, the
// session tore it down, a remote display dropped). Xlib would end the process on the spot,
// losing everything not yet saved; instead every X connection SDL opens gives the loss back:
// the connection is marked broken, its Xlib calls return at once, and this turns true so that
// the program can end in its own way without another call to X. Safe from any thread.
bool XDisplayLost();
// The name of the display whose connection broke ("" before that), for a message.
std::string LostXDisplayName();

// Whether the Wayland connection behind the window has failed (the compositor went away).
// SDL reports that only as a request to quit, like any other; this tells the two apart. False
// for a window on any other kind of display.
bool WaylandConnectionLost(SDL_Window* window);

}  // namespace host::sdl
