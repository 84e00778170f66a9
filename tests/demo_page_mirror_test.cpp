// The copy of the last refreshed page that the web page's automation hook
// reads: through a whole headless run of the demonstration (both waves
// stepping and running, the teaching aids, the start screen again) it
// equals the page at every refresh while copying only the rows that changed.
#include <gtest/gtest.h>

#include <cstring>

#include "app/page_mirror.h"
#include "app/shell.h"
#include "demo/driver.h"
#include "demo_support.h"
#include "platform/headless/headless.h"

namespace {

using namespace demotest;

class MirrorCheck : public RefreshObserver {
public:
    int refreshes = 0;
    int differing = 0;  // refreshes whose copy differed from the page
    int partial = 0;    // refreshes that copied only some rows
    long rowsCopied = 0;
    long rowsShown = 0;
    void PageRefreshed(const PageFrame& frame) override {
        ++refreshes;
        const int rows = mirror_.Take(frame);
        rowsCopied += rows;
        if (rows < frame.height) ++partial;
        rowsShown += frame.height;
        const std::size_t bytes = static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height);
        const bool same = mirror_.Width() == frame.width && mirror_.Height() == frame.height && frame.pixels &&
                          std::memcmp(mirror_.Pixels(), frame.pixels, bytes) == 0 &&
                          std::memcmp(mirror_.Palette(), frame.palette, 1024) == 0;
        if (!same && differing++ == 0) ADD_FAILURE() << "refresh " << refreshes << " \"" << frame.title << "\" differs";
    }

private:
    PageMirror mirror_;
};

}  // namespace

TEST(PageMirror, EqualsThePageAtEveryRefreshOfARun) {
    const std::string script = "key l\n" + ClickNext() + ClickNext() + "key space\nwait 2\nkey g\nkey w\nwait 1\n" +
                               ClickGo() + "key m\n" + ClickNext() + "key b\nkey t\nkey c\nkey space\nwait 2\n" +
                               ClickGo() + ClickBack() + ClickQuit();
    HeadlessOptions options;
    ScriptError error;
    ASSERT_TRUE(ParseScript(script, options.events, error)) << error.message;
    HeadlessBackend backend(std::move(options));
    MirrorCheck check;
    EXPECT_EQ(OskWinMain(&backend, nullptr, WaveDemoMain, &check), 0);
    EXPECT_GT(check.refreshes, 50);
    EXPECT_EQ(check.differing, 0);
    // Most refreshes change part of the page only (a running wave leaves the
    // rows above the chain alone, a pressed button changes its own rows).
    EXPECT_GT(check.partial * 2, check.refreshes);
    std::printf("%d refreshes, %d partial: %ld of %ld rows copied\n", check.refreshes, check.partial, check.rowsCopied,
                check.rowsShown);
}
