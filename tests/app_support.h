// app_support.h - shared set-up for the shell's tests: the whole start-up
// on the headless backend with a script, a routine that runs where the
// demonstration would, and a private temporary directory (working directory
// and configuration home) that is removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include "tests/posix_compat.h"

#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/page_recorder.h"
#include "app/shell.h"
#include "platform/afx.h"
#include "platform/headless/headless.h"
#include "plot/plot.h"
#include "tests/temp_dir.h"

// The shell's tests run in a private working directory and configuration home.
struct ShellTempDir : TempDir {
    ShellTempDir() : TempDir(Use::EnteredAsConfigHome) {}
};

// A headless backend without a file-name prompt of its own, so that the
// framework draws one; its user clears the proposal, types the given name
// (and a letter taken back again), then Enter, or Escape when there is no name.
// It keeps the rectangles it was asked to show.
class TestBackend : public HeadlessBackend {
public:
    using HeadlessBackend::HeadlessBackend;
    std::string promptAnswer;  // empty: cancel
    int prompts = 0;
    std::vector<SurfaceRect> presented;
    void PresentRect(const Surface& surface, const SurfaceRect& changed) override {
        presented.push_back(changed);
        HeadlessBackend::PresentRect(surface, changed);
    }
    int batches = 0;  // PresentRects calls
    void PresentRects(const Surface& surface, const SurfaceRect* changed, int count) override {
        ++batches;
        HeadlessBackend::PresentRects(surface, changed, count);
    }
    Surface promptPicture;  // the last picture shown while a prompt was open
    // The largest client it reports (0: the headless backend's own, -1: it
    // cannot tell), and the presentations it was asked for.
    int largestWidth = 0;
    int largestHeight = 0;
    std::vector<Presentation> presentations;
    bool LargestClient(int& width, int& height) override {
        if (largestWidth == 0) return HeadlessBackend::LargestClient(width, height);
        width = largestWidth;
        height = largestHeight;
        return width > 0 && height > 0;
    }
    void SetPresentation(const Presentation& presentation) override { presentations.push_back(presentation); }
    bool HasOwnFileNamePrompt() const override { return false; }
    // The tests look at the client surface.
    bool ShowsSurface() const override { return true; }
    void SetTextInput(bool on) override {
        typing_.clear();
        if (!on) return;
        ++prompts;
        BackendEvent key, text;
        key.type = BackendEvent::Key;
        text.type = BackendEvent::TextInput;
        text.text = promptAnswer + "\xC3\xA9";
        key.key = KEY_BACKSPACE;
        if (!promptAnswer.empty()) typing_.assign(kProposalLength, key);
        if (!promptAnswer.empty()) typing_.insert(typing_.end(), {text, key});
        key.key = promptAnswer.empty() ? KEY_ESCAPE : KEY_RETURN;
        typing_.push_back(key);
    }
    void Present(const Surface& surface) override {
        if (!typing_.empty()) promptPicture = surface;
        HeadlessBackend::Present(surface);
    }
    void WaitEvent(BackendEvent& event) override {
        if (typing_.empty()) return HeadlessBackend::WaitEvent(event);
        event = typing_.front();
        typing_.pop_front();
    }

private:
    static constexpr std::size_t kProposalLength = 64;  // at least
    std::deque<BackendEvent> typing_;
};

// Runs the shell's start-up and `routine` in place of the main routine.
class ShellRun {
public:
    static inline TestBackend* backend = nullptr;
    static inline PageRecorder* recorder = nullptr;  // sees every refresh of the run
    static inline bool routineRan = false;

    // Set before a run: the largest client the backend reports (as TestBackend's).
    static inline int largestWidth = 0;
    static inline int largestHeight = 0;

    static int Run(const std::string& script, std::function<int()> routine, const char* file = nullptr,
                   HeadlessOptions options = {}, const PageRecordOptions& record = {}) {
        ScriptError error;
        EXPECT_TRUE(ParseScript(script, options.events, error)) << error.line << ": " << error.message;
        TestBackend b(std::move(options));
        b.largestWidth = largestWidth;
        b.largestHeight = largestHeight;
        PageRecorder r;
        std::string openError;
        EXPECT_TRUE(r.Open(record, openError)) << openError;
        backend = &b;
        recorder = &r;
        Body() = std::move(routine);
        routineRan = false;
        PlotReleasePage();
        PlotState = PlotStateRecord{};
        const int result = OskWinMain(&b, file, &Trampoline, &r);
        r.Close(b.WallClock());
        backend = nullptr;
        recorder = nullptr;
        Body() = nullptr;
        return result;
    }

private:
    static std::function<int()>& Body() {
        static std::function<int()> body;
        return body;
    }
    static int Trampoline() {
        routineRan = true;
        return Body() ? Body()() : 0;
    }
};

// The view's client surface pixel at client point (x, y), as 0xRRGGBB.
inline std::uint32_t ClientPixel(int x, int y) {
    CFrameWnd* frame = AfxGetApp()->m_pMainWnd;
    const Surface* s = frame->GetSurface();
    return s->At(x, y) & 0xFFFFFF;
}

// Posts a message to the plot view.
inline void PostToView(unsigned message, int x = 0, int y = 0, std::uint32_t wParam = 0) {
    PostMessage(GetPlotView()->m_hWnd, message, wParam, MakePointParam(x, y));
}
