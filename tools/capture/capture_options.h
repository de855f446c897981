// Command line of norvex-capture:
//   norvex-capture [--seed S] [--size WxH] [--frames N] [--from F] [--every K] [--samples N]
//                  [--renderer fixed|batched] (--out DIR | --y4m)
#pragma once

#include <string>

#include "shell/core/command_line.h"

namespace capture {

inline constexpr int MAX_EDGE = 8192;  // pixels

struct Options {
    unsigned seed = 1;     // calendar seconds the generator is seeded with
    int width = 1024;      // pixels
    int height = 768;      // pixels
    int frames = 300;      // frames rendered
    int from = 1;          // first frame written; the ones before are rendered all the same
    int every = 1;         // keep every K-th frame
    std::string outDir;    // PNG frames go here, or
    bool y4m = false;      // a YUV4MPEG2 stream goes to stdout
    int samples = 0;       // multisampling: 2, 4 or 8 samples per pixel; 0: none
    plat::Renderer renderer = plat::Renderer::Fixed;  // the goldens are the fixed function's
};

// Parses the command line (both dash forms, "--name=value" too). Run fills
// options; otherwise the outcome says what to report.
cli::Parsed ParseOptions(int argc, char* const* argv, Options& options);

inline constexpr const char* USAGE =
    "usage: norvex-capture [--seed S] [--size WxH] [--frames N] [--from F] [--every K] [--samples N]\n"
    "                      [--renderer fixed|batched] (--out DIR | --y4m)";
inline constexpr const char* HELP =
    "Renders the norvex demo offscreen, with its start-up seed pinned.\n"
    "  --seed S      seed, 0..4294967295 (default 1)\n"
    "  --size WxH    picture size, each 1..8192 (default 1024x768)\n"
    "  --frames N    frames to render (default 300)\n"
    "  --from F      write no frame before frame F; the flight is the same (default 1)\n"
    "  --every K     keep every K-th frame (default 1)\n"
    "  --samples N   smooth edges with N samples per pixel: 2, 4 or 8\n"
    "  --renderer R  fixed: the driver's fixed function draws the scene's calls\n"
    "                (default); batched: the GL 1.1 layer draws them in a few\n"
    "                OpenGL ES 3 draws, the same picture within a few edge pixels\n"
    "  --out DIR     write the kept frames as DIR/frame_000001.png ...\n"
    "  --y4m         write them to stdout as a YUV4MPEG2 stream\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n";

}  // namespace capture
