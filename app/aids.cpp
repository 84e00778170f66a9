// aids.cpp - the state of the teaching aids, their keys and the aid list
// of the command line and the web address.
#include "app/aids.h"

#include <algorithm>
#include <charconv>

#include "app/shell.h"
#include "platform/types.h"

namespace {

AidState g_aids;
unsigned g_generation = 0;

void PostWakeClick();
void (*g_wake)() = PostWakeClick;

// A left click at the page's top-left corner: in the title band, on no
// button and no particle.  The program waiting for a click sees the
// generation changed and redraws instead of taking it as "next".
void PostWakeClick() {
    COskView* view = GetPlotView();
    if (!view || !AfxIsLiveWindow(view)) return;
    const CPoint scroll = view->GetScrollPosition();
    const std::int64_t at = MakePointParam(kPageOrigin.x + 1 - scroll.x, kPageOrigin.y + 1 - scroll.y);
    PostMessage(view->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessage(view->m_hWnd, WM_LBUTTONUP, 0, at);
}

void Changed() { ++g_generation; }

std::vector<int> EverySixth() {
    std::vector<int> marked;
    for (int i = kMarkSpacing; i <= kLastMarkable; i += kMarkSpacing) marked.push_back(i);
    return marked;
}

bool Markable(int particle) { return particle >= kFirstMarkable && particle <= kLastMarkable; }

// "N+N+..." added to the ascending particle numbers; false with the reason.
bool ParseParticles(std::string_view text, std::vector<int>& out, std::string& error) {
    std::vector<int> marked = out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = text.find('+', start);
        const std::string_view item = text.substr(start, plus == std::string_view::npos ? text.npos : plus - start);
        int n = 0;
        const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), n);
        if (item.empty() || ec != std::errc{} || end != item.data() + item.size() || !Markable(n)) {
            error = "a marked particle is a number from " + std::to_string(kFirstMarkable) + " to " +
                    std::to_string(kLastMarkable) + ", not '" + std::string(item) + "'";
            return false;
        }
        if (std::find(marked.begin(), marked.end(), n) == marked.end()) marked.push_back(n);
        if (plus == std::string_view::npos) break;
        start = plus + 1;
    }
    std::sort(marked.begin(), marked.end());
    out = marked;
    return true;
}

}  // namespace

const AidState& CurrentAids() { return g_aids; }

void SetAids(const AidState& aids) {
    g_aids = aids;
    Changed();
}

unsigned AidGeneration() { return g_generation; }

bool AnyAidOn(const AidState& aids) { return !aids.marked.empty() || aids.wavelength || aids.graph || aids.both; }

bool IsMarked(const AidState& aids, int particle) {
    return std::binary_search(aids.marked.begin(), aids.marked.end(), particle);
}

void CycleMarks() {
    if (g_aids.marked.empty()) {
        g_aids.marked = {kFirstMarkedParticle};
    } else if (g_aids.marked == std::vector<int>{kFirstMarkedParticle}) {
        g_aids.marked = EverySixth();
    } else {
        g_aids.marked.clear();
    }
    Changed();
}

bool ToggleMark(int particle) {
    std::vector<int>& marked = g_aids.marked;
    if (!Markable(particle)) return false;
    const auto at = std::lower_bound(marked.begin(), marked.end(), particle);
    if (at != marked.end() && *at == particle) {
        marked.erase(at);
    } else {
        if (marked.size() >= static_cast<std::size_t>(kMaxSingleMarks)) return false;
        marked.insert(at, particle);
    }
    Changed();
    return true;
}

void ToggleWavelength() {
    g_aids.wavelength = !g_aids.wavelength;
    Changed();
}

void ToggleGraph() {
    g_aids.graph = !g_aids.graph;
    Changed();
}

void ToggleBoth() {
    g_aids.both = !g_aids.both;
    Changed();
}

bool HandleAidKey(unsigned key, unsigned mods) {
    if (mods & (MOD_CTRL | MOD_ALT)) return false;
    switch (key) {
        case 'M':
        case 'm': CycleMarks(); break;
        case 'W':
        case 'w': ToggleWavelength(); break;
        case 'G':
        case 'g': ToggleGraph(); break;
        case 'C':
        case 'c': ToggleBoth(); break;
        default: return false;
    }
    WakeForAids();
    return true;
}

void SetAidWake(void (*wake)()) { g_wake = wake; }

void WakeForAids() {
    if (g_wake) g_wake();
}

bool ParseAidList(std::string_view list, AidState& aids, std::string& error) {
    if (list.empty()) {
        error = "--aids wants a list of mark, mark=N[+N...], wavelength, graph, both";
        return false;
    }
    AidState parsed = aids;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string_view item = list.substr(start, comma == std::string_view::npos ? list.npos : comma - start);
        if (item == "mark") {
            if (!IsMarked(parsed, kFirstMarkedParticle)) {
                parsed.marked.insert(std::lower_bound(parsed.marked.begin(), parsed.marked.end(), kFirstMarkedParticle),
                                     kFirstMarkedParticle);
            }
        } else if (item.rfind("mark=", 0) == 0) {
            if (!ParseParticles(item.substr(5), parsed.marked, error)) return false;
        } else if (item == "wavelength") {
            parsed.wavelength = true;
        } else if (item == "graph") {
            parsed.graph = true;
        } else if (item == "both") {
            parsed.both = true;
        } else {
            error = "unknown aid '" + std::string(item) + "' (mark, mark=N[+N...], wavelength, graph, both)";
            return false;
        }
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    aids = parsed;
    return true;
}

AidLayout LayoutAids(const AidState& aids) {
    AidLayout layout;
    layout.chains = aids.both ? 2 : 1;
    const float perChain = (aids.wavelength ? kBracketBandHeight : 0.0f) + kChainBandHeight;
    float height = kTitleBandHeight + static_cast<float>(layout.chains) * perChain;
    if (aids.graph) height += static_cast<float>(layout.chains) * kGraphBandHeight;
    if (aids.wavelength) height += kReadoutBandHeight;
    layout.pageHeight = height;

    float top = height - kTitleBandHeight;
    for (int c = 0; c < layout.chains; ++c) {
        top -= perChain;
        layout.chainBottom[c] = top;
    }
    for (int c = 0; aids.graph && c < layout.chains; ++c) {
        top -= kGraphBandHeight;
        layout.graphBottom[c] = top;
    }
    if (aids.wavelength) layout.readoutBottom = top - kReadoutBandHeight;
    return layout;
}

std::string FormatAidList(const AidState& aids) {
    std::string list;
    const auto add = [&list](const std::string& item) { list += (list.empty() ? "" : ",") + item; };
    if (!aids.marked.empty()) {
        std::string marks = "mark=";
        for (std::size_t i = 0; i < aids.marked.size(); ++i) {
            if (i > 0) marks += '+';
            marks += std::to_string(aids.marked[i]);
        }
        add(marks);
    }
    if (aids.wavelength) add("wavelength");
    if (aids.graph) add("graph");
    if (aids.both) add("both");
    return list;
}
