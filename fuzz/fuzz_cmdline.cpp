// The osk command line on arbitrary arguments (NUL-separated in the input):
// a usage error is one line; accepted options are sane.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/cmdline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words{"osk"};
    std::string word;
    for (size_t i = 0; i < size && words.size() < 32; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    if (!word.empty()) words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& w : words) argv.push_back(w.c_str());
    argv.push_back(nullptr);

    OskOptions options;
    std::string error;
    if (ParseOskArguments(static_cast<int>(words.size()), argv.data(), options, error)) {
        if (options.screenWidth <= 0 || options.screenHeight <= 0) std::abort();
    } else if (error.empty() || error.find('\n') != std::string::npos) {
        std::abort();
    }
    return 0;
}
