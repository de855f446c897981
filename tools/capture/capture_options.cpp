// Argument parsing for norvex-capture: strict whole-number fields, no partial
// matches, every mistake named.
#include "capture_options.h"

#include <cerrno>
#include <cstdlib>

namespace capture {
namespace {

// A whole decimal number in 0..limit with nothing around it.
bool ParseNumber(const std::string& text, unsigned long long limit, unsigned long long& value)
{
    if (text.empty() || text.size() > 12) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    value = std::strtoull(text.c_str(), nullptr, 10);
    return value <= limit;
}

bool ParseSize(const std::string& text, int& width, int& height)
{
    const size_t x = text.find('x');
    unsigned long long w = 0, h = 0;
    if (x == std::string::npos || !ParseNumber(text.substr(0, x), MAX_EDGE, w) ||
        !ParseNumber(text.substr(x + 1), MAX_EDGE, h) || w == 0 || h == 0)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace

std::string ParseOptions(const std::vector<std::string>& args, Options& options)
{
    bool haveOut = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--y4m") {
            options.y4m = true;
            continue;
        }
        if (arg != "--seed" && arg != "--size" && arg != "--frames" && arg != "--every" && arg != "--out")
            return "unknown option '" + arg + "'";
        if (i + 1 == args.size()) return "option " + arg + " needs a value";
        const std::string& value = args[++i];
        unsigned long long n = 0;
        if (arg == "--seed") {
            if (!ParseNumber(value, 0xFFFFFFFFull, n)) return "--seed needs a whole number 0..4294967295, not '" + value + "'";
            options.seed = static_cast<unsigned>(n);
        } else if (arg == "--size") {
            if (!ParseSize(value, options.width, options.height))
                return "--size needs WxH with W and H from 1 to 8192, not '" + value + "'";
        } else if (arg == "--frames" || arg == "--every") {
            if (!ParseNumber(value, 100000000ull, n) || n == 0)
                return arg + " needs a positive whole number, not '" + value + "'";
            (arg == "--frames" ? options.frames : options.every) = static_cast<int>(n);
        } else {
            if (value.empty()) return "--out needs a folder";
            options.outDir = value;
            haveOut = true;
        }
    }
    if (haveOut == options.y4m) return "give exactly one of --out DIR and --y4m";
    return {};
}

}  // namespace capture
