// Command line of norvex-capture:
//   norvex-capture [--seed S] [--size WxH] [--frames N] [--every K] (--out DIR | --y4m)
#pragma once

#include <string>
#include <vector>

namespace capture {

inline constexpr int MAX_EDGE = 8192;  // pixels

struct Options {
    unsigned seed = 1;     // calendar seconds the generator is seeded with
    int width = 1024;      // pixels
    int height = 768;      // pixels
    int frames = 300;      // frames rendered
    int every = 1;         // keep every K-th frame
    std::string outDir;    // PNG frames go here, or
    bool y4m = false;      // a YUV4MPEG2 stream goes to stdout
};

// Parses the arguments after the program name. Returns an empty string and
// fills options, or returns the message that explains what is wrong.
std::string ParseOptions(const std::vector<std::string>& args, Options& options);

inline constexpr const char* USAGE =
    "usage: norvex-capture [--seed S] [--size WxH] [--frames N] [--every K] (--out DIR | --y4m)";

}  // namespace capture
