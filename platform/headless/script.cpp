// script.cpp - parsing the headless input script.
#include "platform/headless/script.h"

#include <cctype>
#include <sstream>

#include "platform/types.h"

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A whole number that fits a client coordinate (0..32767).
bool ParseCoordinate(const std::string& s, int& value) {
    if (s.empty() || s.size() > 5) return false;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    const long v = std::stol(s);
    if (v > 32767) return false;
    value = static_cast<int>(v);
    return true;
}

// Decimal seconds >= 0 ("2", "0.25", ".5", "3."), to whole milliseconds
// (rounded to the nearest).
bool ParseSeconds(const std::string& s, std::int64_t& ms) {
    std::size_t i = 0;
    std::int64_t whole = 0;
    int digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        if (++digits > 9) return false;  // over 30 years: surely a mistake
        whole = whole * 10 + (s[i++] - '0');
    }
    std::int64_t fraction = 0;  // in units of 1e-4 s
    int fracDigits = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            if (fracDigits < 4) {
                fraction = fraction * 10 + (s[i] - '0');
                ++fracDigits;
            }
            ++i;
            ++digits;
        }
    }
    if (i != s.size() || digits == 0) return false;
    while (fracDigits < 4) {
        fraction *= 10;
        ++fracDigits;
    }
    ms = whole * 1000 + (fraction + 5) / 10;
    return true;
}

}  // namespace

bool ParseKeyName(const std::string& name, unsigned& key, unsigned& mods) {
    std::string rest = Lower(name);
    mods = 0;
    for (;;) {
        if (rest.rfind("ctrl+", 0) == 0) {
            mods |= MOD_CTRL;
            rest.erase(0, 5);
        } else if (rest.rfind("shift+", 0) == 0) {
            mods |= MOD_SHIFT;
            rest.erase(0, 6);
        } else if (rest.rfind("alt+", 0) == 0) {
            mods |= MOD_ALT;
            rest.erase(0, 4);
        } else {
            break;
        }
    }
    if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
        key = static_cast<unsigned>(std::toupper(static_cast<unsigned char>(rest[0])));
        return true;
    }
    static const struct {
        const char* name;
        unsigned key;
    } kNames[] = {
        {"space", KEY_SPACE},
        {"enter", KEY_RETURN},
        {"return", KEY_RETURN},
        {"tab", KEY_TAB},
        {"escape", KEY_ESCAPE},
        {"esc", KEY_ESCAPE},
        {"backspace", KEY_BACKSPACE},
        {"left", KEY_LEFT},
        {"right", KEY_RIGHT},
        {"up", KEY_UP},
        {"down", KEY_DOWN},
        {"delete", KEY_DELETE},
        {"insert", KEY_INSERT},
        {"minus", '-'},
        {"plus", '+'},
        {"pageup", KEY_PAGEUP},
        {"pagedown", KEY_PAGEDOWN},
    };
    for (const auto& n : kNames) {
        if (rest == n.name) {
            key = n.key;
            return true;
        }
    }
    if (rest.size() >= 2 && rest[0] == 'f' && rest.size() <= 3) {
        int number = 0;
        if (ParseCoordinate(rest.substr(1), number) && number >= 1 && number <= 12) {
            key = KEY_F1 + static_cast<unsigned>(number - 1);
            return true;
        }
    }
    return false;
}

bool ParseScript(const std::string& text, std::vector<ScriptEvent>& events, ScriptError& error) {
    events.clear();
    std::istringstream in(text);
    std::string line;
    int number = 0;
    std::int64_t delay = 0;
    auto fail = [&](const std::string& message) {
        error.line = number;
        error.message = message;
        events.clear();
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        if (const std::size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;
        const std::string verb = Lower(w[0]);
        ScriptEvent e;
        e.line = number;
        if (verb == "click" || verb == "rclick") {
            if (w.size() != 3) return fail(verb + " needs two whole numbers X Y");
            if (!ParseCoordinate(w[1], e.x) || !ParseCoordinate(w[2], e.y)) {
                return fail(verb + " needs two whole numbers X Y from 0 to 32767");
            }
            e.kind = verb == "click" ? ScriptEvent::Click : ScriptEvent::RightClick;
        } else if (verb == "key") {
            if (w.size() != 2) return fail("key needs one key name");
            if (!ParseKeyName(w[1], e.key, e.mods)) return fail("unknown key name '" + w[1] + "'");
            e.kind = ScriptEvent::Key;
        } else if (verb == "wait") {
            std::int64_t ms = 0;
            if (w.size() != 2 || !ParseSeconds(w[1], ms)) return fail("wait needs a decimal number of seconds >= 0");
            delay += ms;
            continue;
        } else if (verb == "close") {
            if (w.size() != 1) return fail("close takes no arguments");
            e.kind = ScriptEvent::Close;
        } else {
            return fail("unknown event '" + w[0] + "' (click, rclick, key, wait, close)");
        }
        e.delayMs = delay;
        delay = 0;
        events.push_back(e);
    }
    ScriptEvent end;
    end.kind = ScriptEvent::Close;
    end.delayMs = delay;
    events.push_back(end);
    return true;
}
