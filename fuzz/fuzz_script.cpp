// The headless input script parser on arbitrary text: it either gives
// events ending in one close, or an error naming a line of the text.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/headless/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptEvent> events;
    ScriptError error;
    if (ParseScript(text, events, error)) {
        if (events.empty() || events.back().kind != ScriptEvent::Close) std::abort();
        for (const ScriptEvent& e : events) {
            if (e.delayMs < 0) std::abort();
        }
    } else {
        if (error.line < 1 || error.message.empty()) std::abort();
        if (error.message.find('\n') != std::string::npos) std::abort();  // one line
    }
    return 0;
}
