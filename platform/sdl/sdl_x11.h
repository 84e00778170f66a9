// sdl_x11.h - what the SDL backend does on X11 itself (apart from
// sdl_backend.cpp, whose names Xlib's headers would clash with).
#pragma once

// Installs, before SDL_Init, an X error handler that drops the one harmless
// error of SDL's wake-up message (see sdl_x11.cpp); SDL chains to it while it
// runs and puts it back when it quits.  Nothing without X11.
void DropSdlWakeupErrors();
// After SDL_Quit: the handler that was there before.
void RestoreX11ErrorHandler();
