/* probe.c - SDL 2's X11 wake-up message racing the window's destruction,
 * without osk.
 *
 * Inside SDL_WaitEvent, SDL's X11 backend wakes its own wait: every event it
 * queues while waiting (the key press it is dispatching, for one) sends a
 * ClientMessage to the window with XSendEvent over a second connection to the
 * server.  The wait returns the key; the program destroys the window over the
 * first connection.  The two connections are not ordered: when the server
 * takes the destruction first, the message's target is gone and the second
 * connection receives BadWindow (X_SendEvent).  Nothing reads that connection
 * until SDL_Quit closes it; Xlib's default error handler then prints
 * "X Error of failed request: BadWindow" and ends the process with status 1.
 *
 * Build and run (runs.sh: runs under load in a private Xvfb, keys sent to
 * the window with xdotool):
 *   cc probe.c -o probe $(pkg-config --cflags --libs sdl2 x11)
 *   KEYS=q ./runs.sh ./probe 50 sendevent
 *   PROBE_IGNORE_WAKEUP_ERRORS=1 KEYS=q ./runs.sh ./probe 50 sendevent
 * The probe shows the wake-up being sent (an XSendEvent interposer counted
 * it in 17 of 20 runs) but on this machine its timing never lost the race in
 * 90 runs; osk, which draws its last page before the window goes, lost it
 * in 1 to 4 of 50 runs without the handler and in none of 50 with it:
 *   ./runs.sh build/osk 50 sendevent
  */
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <stdlib.h>

static XErrorHandler previous;

/* Only the wake-up's failure: a message sent to a window that is gone. */
static int IgnoreWakeupToAGoneWindow(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return previous ? previous(display, error) : 0;
}

int main(void) {
    /* Before SDL_Init: SDL_Quit puts back the handler it found. */
    if (getenv("PROBE_IGNORE_WAKEUP_ERRORS")) previous = XSetErrorHandler(IgnoreWakeupToAGoneWindow);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 2;
    SDL_Window* window = SDL_CreateWindow("probe", 0, 0, 1264, 200, SDL_WINDOW_SHOWN);
    SDL_Event event;
    while (SDL_WaitEvent(&event)) {
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_q) break;
        if (event.type == SDL_QUIT) break;
    }
    /* A last picture, as a program shows before it ends: the server is busy
     * with this connection when the destruction follows. */
    for (int i = 0; i < 4; ++i) {
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        SDL_FillRect(surface, NULL, 0x00FF00FFu * (Uint32)(i & 1));
        SDL_UpdateWindowSurface(window);
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
