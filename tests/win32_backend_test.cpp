// The Win32 backend in a real window (under wine on a private X server in
// the Windows build's tests): the system's input as backend events, and
// what Present and PresentRect put on the screen, 1:1 and in the fit view.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/types.h"
#include "platform/win32/win32_backend.h"
#include "tests/win32_support.h"

namespace {

class Win32BackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        backend_ = Win32Backend::Open(IconPixels{}, error);
        ASSERT_TRUE(backend_) << error;
        ASSERT_TRUE(backend_->CreateMainWindow("Wellen \xc3\xbc", 200, 100));
        backend_->ShowMainWindow();
        Drain();
    }
    void TearDown() override {
        if (backend_) backend_->Shutdown();
    }
    void Drain() {
        BackendEvent e;
        while (backend_->PollEvent(e)) {
        }
    }
    BackendEvent Next() {
        BackendEvent e;
        backend_->WaitEvent(e);
        return e;
    }
    std::unique_ptr<Win32Backend> backend_;
};

// Each message posted in turn, and the event it gives (None: no event yet).
TEST_F(Win32BackendTest, SystemInputBecomesBackendEvents) {
    struct Case {
        SystemInput input;
        int x, y;
        unsigned code;
        BackendEvent::Type type;
        int button, clicks;
        unsigned key;
        int wheelY;
    };
    const Case cases[] = {
        {SystemInput::LeftDown, 10, 20, 0, BackendEvent::MouseDown, 1, 1, 0, 0},
        {SystemInput::LeftUp, 10, 20, 0, BackendEvent::MouseUp, 1, 1, 0, 0},
        {SystemInput::LeftDoubleClick, 11, 21, 0, BackendEvent::MouseDown, 1, 2, 0, 0},  // the second press
        {SystemInput::RightDown, 5, 6, 0, BackendEvent::MouseDown, 3, 1, 0, 0},
        {SystemInput::KeyDown, 0, 0, 0x25, BackendEvent::Key, 0, 1, KEY_LEFT, 0},
        {SystemInput::KeyDown, 0, 0, 'N', BackendEvent::Key, 0, 1, 'N', 0},
        {SystemInput::KeyDown, 0, 0, 0x74, BackendEvent::Key, 0, 1, KEY_F1 + 4, 0},  // F5
        {SystemInput::KeyDown, 0, 0, 0x20, BackendEvent::Key, 0, 1, KEY_SPACE, 0},
        {SystemInput::KeyDown, 0, 0, 0x22, BackendEvent::Key, 0, 1, KEY_PAGEDOWN, 0},  // a presenter's remote
        {SystemInput::Character, 0, 0, '+', BackendEvent::Key, 0, 1, '+', 0},          // wherever the layout has it
        {SystemInput::Character, 0, 0, '?', BackendEvent::Key, 0, 1, '?', 0},
        // Letters typed arrive as their keys only, not a second time as characters.
        {SystemInput::Character, 0, 0, 'n', BackendEvent::None, 0, 1, 0, 0},
        // Half notches of a fine wheel add up to one.
        {SystemInput::Wheel, 0, 60, 0, BackendEvent::None, 0, 1, 0, 0},
        {SystemInput::Wheel, 0, 60, 0, BackendEvent::Wheel, 0, 1, 0, 1},
        {SystemInput::Close, 0, 0, 0, BackendEvent::Close, 0, 1, 0, 0},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "row " << row++);
        PostToWindow(c.input, c.x, c.y, c.code);
        BackendEvent e;
        if (c.type == BackendEvent::None) {
            EXPECT_FALSE(backend_->PollEvent(e)) << "an event of type " << e.type;
            continue;
        }
        e = Next();
        EXPECT_EQ(e.type, c.type);
        if (c.type == BackendEvent::MouseDown || c.type == BackendEvent::MouseUp) {
            EXPECT_EQ(e.button, c.button);
            EXPECT_EQ(e.clicks, c.clicks);
            EXPECT_EQ(e.x, c.x);
            EXPECT_EQ(e.y, c.y);
        }
        EXPECT_EQ(e.key, c.key);
        EXPECT_EQ(e.wheelY, c.wheelY);
    }
}

TEST_F(Win32BackendTest, TitlesAreUnicode) {
    EXPECT_EQ(WindowTitle(), "Wellen \xc3\xbc");
    backend_->SetWindowTitle("\xce\xbb \xe2\x80\x93 \xf0\x9f\x8c\x8a");  // beyond Latin-1, beyond 16 bits
    EXPECT_EQ(WindowTitle(), "\xce\xbb \xe2\x80\x93 \xf0\x9f\x8c\x8a");
}

TEST_F(Win32BackendTest, PresentShowsTheSurfaceAndPresentRectOnlyTheChange) {
    Surface surface;
    surface.Resize(200, 100, 0xFF102030u);
    backend_->Present(surface);
    EXPECT_EQ(WindowPixel(0, 0), 0x102030u);
    EXPECT_EQ(WindowPixel(199, 99), 0x102030u);
    surface.Resize(200, 100, 0xFFC0FFEEu);
    backend_->PresentRect(surface, {50, 40, 60, 45});
    EXPECT_EQ(WindowPixel(50, 40), 0xC0FFEEu);
    EXPECT_EQ(WindowPixel(59, 44), 0xC0FFEEu);
    EXPECT_EQ(WindowPixel(60, 44), 0x102030u);
    EXPECT_EQ(WindowPixel(59, 45), 0x102030u);
    EXPECT_EQ(WindowPixel(49, 40), 0x102030u);
}

TEST_F(Win32BackendTest, FitViewScalesThePictureAndMapsPressesBack) {
    // A client of 100 x 50 in the 200 x 100 window: twice the size, no bars.
    backend_->SetPresentation({false, true, 100, 50});
    BackendEvent e = Next();
    ASSERT_EQ(e.type, BackendEvent::Resize);
    EXPECT_EQ(e.width, 100);
    EXPECT_EQ(e.height, 50);
    EXPECT_EQ(Next().type, BackendEvent::Expose);
    Surface surface;
    surface.Resize(100, 50, 0xFFFFFFFFu);
    surface.pixels[10 * 100 + 20] = 0xFFFF0000u;  // client pixel (20, 10)
    backend_->Present(surface);
    EXPECT_EQ(WindowPixel(40, 20), 0xFF0000u);
    EXPECT_EQ(WindowPixel(41, 21), 0xFF0000u);
    EXPECT_EQ(WindowPixel(42, 21), 0xFFFFFFu);
    Drain();
    PostToWindow(SystemInput::LeftDown, 41, 21);
    e = Next();
    EXPECT_EQ(e.type, BackendEvent::MouseDown);
    EXPECT_EQ(e.x, 20);
    EXPECT_EQ(e.y, 10);
    // Full screen: the window covers the screen, the client keeps its size.
    backend_->SetPresentation({true, true, 100, 50});
    e = Next();
    EXPECT_EQ(e.width, 100);
    int screenWidth = 0, screenHeight = 0, width = 0, height = 0;
    backend_->ScreenSize(screenWidth, screenHeight);
    WindowClientSize(width, height);
    EXPECT_EQ(width, screenWidth);
    EXPECT_EQ(height, screenHeight);
}

}  // namespace
