// file_prompt.cpp - the file-name prompt for window systems without a file
// dialog: a line of text typed into a box over the title strip, drawn on a
// copy of the window's picture (Enter takes it, Escape drops it).
#include "platform/afx.h"
#include "platform/internal.h"
#include "platform/latin1.h"

using afx_internal::State;

namespace {

constexpr int kBoxHeight = 20;  // covers the title strip's text line
constexpr std::uint32_t kBoxFrameColour = 0x000080;
constexpr std::uint32_t kBoxColour = 0xFFFFFF;
constexpr CPoint kTextOrigin{3, 2};

void PopLastCharacter(std::string& utf8) {
    while (!utf8.empty()) {
        const unsigned char c = static_cast<unsigned char>(utf8.back());
        utf8.pop_back();
        if ((c & 0xC0) != 0x80) break;
    }
}

void DrawPromptBox(Surface& canvas, const char* prompt, const std::string& text) {
    CDC dc(&canvas, {0, 0}, {0, 0, canvas.width, canvas.height});
    dc.FillSolidRect({0, 0, canvas.width, kBoxHeight}, kBoxFrameColour);
    dc.FillSolidRect({1, 1, canvas.width - 1, kBoxHeight - 1}, kBoxColour);
    const std::string line = std::string(prompt ? prompt : "") + ": " + text + "_";
    dc.TextOut(kTextOrigin.x, kTextOrigin.y, line.c_str(), static_cast<int>(line.size()));
}

// The drawn prompt over the main window; false when dropped or empty.
bool PromptInWindow(Backend& backend, CFrameWnd& main, const char* prompt, const std::string& initial,
                    std::string& name) {
    std::string text = initial;
    Surface canvas;
    backend.SetTextInput(true);
    bool done = false;
    bool accepted = false;
    while (!done) {
        main.UpdateWindow();
        canvas = *main.GetSurface();
        DrawPromptBox(canvas, prompt, text);
        backend.Present(canvas);

        BackendEvent event;
        backend.WaitEvent(event);
        switch (event.type) {
            case BackendEvent::TextInput: text += event.text; break;
            case BackendEvent::Key:
                if (event.key == KEY_RETURN) {
                    accepted = !text.empty();
                    done = true;
                } else if (event.key == KEY_ESCAPE) {
                    done = true;
                } else if (event.key == KEY_BACKSPACE) {
                    PopLastCharacter(text);
                }
                break;
            case BackendEvent::Close:  // drops the prompt; the close still reaches the application
                done = true;
                AfxTranslateBackendEvent(event);
                break;
            case BackendEvent::Resize:
            case BackendEvent::Expose: AfxTranslateBackendEvent(event); break;
            default: break;
        }
    }
    backend.SetTextInput(false);
    if (CWnd::FromHandle(main.m_hWnd)) main.PresentTopLevel();
    if (accepted) name = text;
    return accepted;
}

}  // namespace

bool AfxPromptFileName(const char* prompt, const std::string& initial, std::string& name) {
    auto& s = State();
    if (!s.backend) return false;
    if (s.backend->HasOwnFileNamePrompt()) return s.backend->PromptFileName(prompt, initial, name);
    CFrameWnd* main = s.app ? s.app->m_pMainWnd : nullptr;
    if (!main || !CWnd::FromHandle(main->m_hWnd) || !main->GetSurface()) return false;
    return PromptInWindow(*s.backend, *main, prompt, initial, name);
}
