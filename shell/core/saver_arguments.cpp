// Windows' screen-saver arguments, read strictly: anything that is not one of
// the three forms is a request for the settings.
#include "shell/core/saver_arguments.h"

#include <cctype>
#include <cstring>
#include <limits>

namespace {

// A window's number: decimal digits only, 1..the largest handle.
bool WindowNumber(const char* text, uintptr_t* window)
{
    if (text == nullptr || *text == '\0') return false;
    uintptr_t value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return false;
        const auto digit = static_cast<uintptr_t>(*c - '0');
        if (value > (std::numeric_limits<uintptr_t>::max() - digit) / 10) return false;
        value = value * 10 + digit;
    }
    *window = value;
    return value != 0;
}

}  // namespace

SaverCommand ParseSaverArguments(int argc, const char* const* argv)
{
    if (argc < 2 || argc > 3) return {};
    const char* word = argv[1];
    if ((word[0] != '/' && word[0] != '-') || word[1] == '\0') return {};
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(word[1])));
    const char* rest = word + 2;
    // The number after a colon in the same word, or as the next word.
    const char* number = *rest == ':' ? rest + 1 : argc == 3 ? argv[2] : nullptr;
    if (*rest != '\0' && *rest != ':') return {};
    if (*rest == ':' && argc == 3) return {};
    uintptr_t window = 0;
    const bool numbered = WindowNumber(number, &window);
    if (letter == 's' && number == nullptr && *rest == '\0') return {SaverMode::FullScreen, 0};
    if (letter == 'p' && numbered) return {SaverMode::Preview, window};
    if (letter == 'c') return {SaverMode::Settings, numbered ? window : 0};
    return {};
}
