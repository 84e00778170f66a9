// sdl_x11.cpp - no late X error from SDL's own wake-up message.
#include "platform/sdl/sdl_x11.h"

#include <SDL.h>

#ifdef OSK_SDL_X11
#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {

// SDL 2's X11 backend (2.26) wakes its own SDL_WaitEvent: every event it
// queues while waiting (the key press it is dispatching) makes it send a
// ClientMessage to the window with XSendEvent over a second connection.
// The wait returns; the window is destroyed over the first connection.  The
// server does not order the two connections: when it takes the destruction
// first, the second connection receives BadWindow for X_SendEvent, read only
// when SDL_Quit closes it, and Xlib's default handler then ends the process
// with status 1 (1 to 4 window runs in 50 under load, keys sent to the
// waiting window; traced with an XSendEvent/XDestroyWindow interposer, see
// tools/sdl_wakeup/).  A message to a window that is gone is harmless: that
// one error is dropped, every other goes on to Xlib's handler.  It must be
// in place before SDL_Init: SDL_Quit puts back the handler it found there
// before it closes its connections.
XErrorHandler g_previous = nullptr;
bool g_installed = false;

int DropWakeupToAGoneWindow(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return g_previous ? g_previous(display, error) : 0;
}

}  // namespace

void DropSdlWakeupErrors() {
    if (g_installed) return;
    g_previous = XSetErrorHandler(DropWakeupToAGoneWindow);
    g_installed = true;
}

void RestoreX11ErrorHandler() {
    if (!g_installed) return;
    XSetErrorHandler(g_previous);
    g_installed = false;
}
#else
void DropSdlWakeupErrors() {}
void RestoreX11ErrorHandler() {}
#endif
