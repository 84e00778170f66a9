// backend.h - the one small interface behind which a window system sits.
//
// The portable core (windows, message queue, painting, documents) talks to
// exactly one backend: a real window (platform/sdl) or none at all
// (platform/headless).  A backend shows one top-level window whose client
// area is a 32-bit surface drawn by the core, turns the window system's
// input into BackendEvents, and supplies the screen size, the message box,
// the file-name prompt of the window system (where it has one), the clock
// and the wait on it.  A backend knows nothing of what is drawn: recording
// the screen is the application's, and a file-name prompt that has to be
// drawn is the core's, fed by the backend's TextInput events.  A backend
// includes nothing of the platform layer but this interface and the small
// shared headers beside it (backend_defaults.h, types.h, press_counter.h,
// scaled_view.h).
//
// For another backend to follow, the optional calls below (PresentRect,
// SetPresentation, SetTextInput, the own file-name prompt) have defaults: a
// backend that shows the whole surface each time and knows no scaling keeps
// working unchanged.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A 32-bit picture, 0xAARRGGBB, rows top to bottom, pitch = width.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    void Resize(int w, int h, std::uint32_t fill) {
        width = w < 0 ? 0 : w;
        height = h < 0 ? 0 : h;
        pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A rectangle of surface pixels, right and bottom exclusive.
struct SurfaceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

// How the client surface is put on the screen.
//   scaled false: 1:1 at the window's top-left; the client is as large as
//     the window (Resize events tell its size).
//   scaled true: the client keeps clientWidth x clientHeight whatever the
//     window's size; the surface is shown at the largest size that fits the
//     window, nearest neighbour, centred on black, and pointer positions are
//     mapped back to client pixels (a press on an enlarged pixel is a press
//     on that client pixel; presses on the black bars fall outside the client).
//   fullScreen: the window covers the screen, without decorations.
// After a change the backend delivers a Resize with the client size that
// now holds, then an Expose.
struct Presentation {
    bool fullScreen = false;
    bool scaled = false;
    int clientWidth = 0;
    int clientHeight = 0;
};

struct BackendEvent {
    enum Type {
        None,
        MouseDown,  // button 1 left, 2 middle, 3 right; clicks 2 for the second press of a double click
        MouseUp,
        MouseMove,
        Wheel,      // wheelX / wheelY in notches (y positive: away from the user)
        Key,        // key (platform/types.h KEY_* or ASCII), mods (MOD_*)
        Close,      // the user asked to close the window
        Expose,     // the window's content was lost and must be painted again
        Resize,     // new client size width x height
        TextInput,  // text typed while text input is on (SetTextInput), UTF-8
    };
    Type type = None;
    int button = 0;
    int clicks = 1;
    int x = 0;
    int y = 0;
    int wheelX = 0;
    int wheelY = 0;
    unsigned key = 0;
    unsigned mods = 0;
    int width = 0;
    int height = 0;
    std::string text;
};

// A window icon: 0xAARRGGBB pixels, rows top to bottom.
struct IconPixels {
    int width = 0;
    int height = 0;
    const std::uint32_t* pixels = nullptr;
};

// A message box's text as one line "caption: text" on standard error: the
// headless backend's only way to show one, and the window backend's record
// of it for a run started from a terminal.
inline void WriteMessageLine(const char* caption, const char* text) {
    std::string line = text ? text : "";
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "osk", line.c_str());
}

class Backend {
public:
    virtual ~Backend() = default;

    // Screen size in pixels.
    virtual void ScreenSize(int& width, int& height) = 0;

    // The largest client area a main window can have and still lie whole on
    // the screen: the work area (the screen less task bars and panels) less
    // the window's decorations.  False where the backend cannot tell (the
    // default, and a backend without a screen): the window then keeps the
    // size it is asked for.
    virtual bool LargestClient(int& width, int& height) {
        (void)width;
        (void)height;
        return false;
    }

    // The one top-level window; its client area is clientWidth x clientHeight.
    virtual bool CreateMainWindow(const char* title, int clientWidth, int clientHeight) = 0;
    virtual void SetWindowTitle(const char* title) = 0;
    virtual void ShowMainWindow() = 0;
    virtual void DestroyMainWindow() = 0;
    // Shows the client surface now.
    virtual void Present(const Surface& surface) = 0;
    // Shows only `changed` of the client surface now (what was drawn since
    // the last present; the rest is already on the screen).  By default the
    // whole surface.
    virtual void PresentRect(const Surface& surface, const SurfaceRect& changed) {
        (void)changed;
        Present(surface);
    }
    // Shows the `count` rectangles `changed` of the client surface now, in
    // one go where the backend can (one flush to the screen for many small
    // parts).  By default one PresentRect each.
    virtual void PresentRects(const Surface& surface, const SurfaceRect* changed, int count) {
        for (int i = 0; i < count; ++i) PresentRect(surface, changed[i]);
    }
    // Whether the client surface is shown anywhere.  A backend that shows
    // nothing (headless) answers false: the core then draws nothing into
    // the surface and presents nothing, which is most of a headless run's
    // work otherwise.  By default true.
    virtual bool ShowsSurface() const { return true; }
    // Full screen and scaled view (see Presentation).  By default ignored: a
    // backend without either shows the client 1:1 and sends no events.
    virtual void SetPresentation(const Presentation& presentation) { (void)presentation; }
    // The window's client area takes a new size (the picture it shows grew
    // or shrank), as a new window of that size would; in full screen and in
    // the scaled view the window stays.  A Resize and an Expose follow a
    // change.  By default ignored.
    virtual void ResizeClient(int clientWidth, int clientHeight) {
        (void)clientWidth;
        (void)clientHeight;
    }

    // Input.  PollEvent never blocks; WaitEvent blocks until there is one.
    virtual bool PollEvent(BackendEvent& event) = 0;
    virtual void WaitEvent(BackendEvent& event) = 0;

    // A message box with one OK button (caption, text); returns when dismissed.
    virtual void MessageBox(const char* caption, const char* text) = 0;
    // Whether PromptFileName asks for a file name by itself (a dialog of the
    // window system's own).  By default not: the core then draws the prompt
    // into the window and reads the TextInput and Key events it gets while
    // text input is on.
    virtual bool HasOwnFileNamePrompt() const { return false; }
    // Asks for a file name, `initial` proposed; false when cancelled.
    virtual bool PromptFileName(const char* prompt, const std::string& initial, std::string& name) {
        (void)prompt;
        (void)initial;
        (void)name;
        return false;
    }
    // Typed text arrives as TextInput events while on (the window system
    // composes it from the keys).  By default there is none.
    virtual void SetTextInput(bool on) { (void)on; }

    // Seconds since 1970 with millisecond resolution, and a wait toward a
    // deadline (a WallClock value) that may return early: callers re-read
    // the clock.  By default the real-time clock at the first reading,
    // advanced by the monotonic clock (platform/anchored_clock.h: a step of
    // the system's clock does not upset the timing), and a sleep; a backend
    // with a clock of its own (a virtual one) overrides both.
    virtual double WallClock();
    virtual void WaitUntil(double deadline);

    // Process end: close the window system.
    virtual void Shutdown() {}
};
