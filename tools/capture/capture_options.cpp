// Argument parsing for norvex-capture over the shared command-line walk:
// strict whole-number fields, every mistake named.
#include "capture_options.h"

#include <array>
#include <string>

namespace capture {
namespace {

enum : size_t { SEED, SIZE, FRAMES, FROM, EVERY, OUT, Y4M, SAMPLES, RENDERER };  // rows of kOptions
constexpr std::array<cli::Option, 9> kOptions = {{
    {"seed",    true},
    {"size",    true},
    {"frames",  true},
    {"from",    true},
    {"every",   true},
    {"out",     true},
    {"y4m",     false},
    {"samples", true},
    {"renderer", true},
}};

}  // namespace

cli::Parsed ParseOptions(int argc, char* const* argv, Options& options)
{
    bool haveOut = false;
    cli::Parsed parsed = cli::Parse(argc, argv, kOptions, [&](size_t index, const char* text) -> std::string {
        const std::string value = text ? text : "";
        unsigned long long n = 0;
        switch (index) {
        case SEED:
            if (!cli::WholeNumber(value, 0xFFFFFFFFull, &n))
                return "--seed needs a whole number 0..4294967295, not '" + value + "'";
            options.seed = static_cast<unsigned>(n);
            break;
        case SIZE:
            if (!cli::Size(value, MAX_EDGE, &options.width, &options.height))
                return "--size needs WxH with W and H from 1 to 8192, not '" + value + "'";
            break;
        case FRAMES:
        case FROM:
        case EVERY: {
            const char* name = index == FRAMES ? "--frames" : index == FROM ? "--from" : "--every";
            if (!cli::WholeNumber(value, 100000000ull, &n) || n == 0)
                return std::string(name) + " needs a positive whole number, not '" + value + "'";
            (index == FRAMES ? options.frames : index == FROM ? options.from : options.every) = static_cast<int>(n);
            break;
        }
        case OUT:
            if (value.empty()) return "--out needs a folder";
            options.outDir = value;
            haveOut = true;
            break;
        case Y4M: options.y4m = true; break;
        case SAMPLES:
            if (!cli::WholeNumber(value, 8, &n) || (n != 2 && n != 4 && n != 8))
                return "--samples needs 2, 4 or 8 samples per pixel, not '" + value + "'";
            options.samples = static_cast<int>(n);
            break;
        case RENDERER:
            if (!cli::RendererName(value, &options.renderer))
                return std::string(cli::RENDERER_NEEDED) + ", not '" + value + "'";
            break;
        }
        return {};
    });
    if (parsed.outcome == cli::Outcome::Run && haveOut == options.y4m)
        return {cli::Outcome::Refused, "give exactly one of --out DIR and --y4m"};
    if (parsed.outcome == cli::Outcome::Run && options.from > options.frames)
        return {cli::Outcome::Refused, "--from " + std::to_string(options.from) + " comes after the last frame, " +
                                           std::to_string(options.frames)};
    return parsed;
}

}  // namespace capture
