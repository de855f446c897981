// What the page adds to the window layer for the web build's entry point: the
// start-up seed and the frame-rate cap its address pins, and word to the page
// that the demo ended.
#pragma once

#include <cstdint>

namespace plat::page {

inline constexpr int64_t kNoSeed = -1;   // the address names no seed
inline constexpr int64_t kBadSeed = -2;  // it names something else; the page has said so

// ?seed=N in the page's address, N a whole number 0..4294967295, as
// norvex-capture's --seed: the same seed draws the same frames.
int64_t PinnedSeed();
// ?max-fps=N in the page's address, N a whole number 0..1000 (0: no cap), as
// norvex's --max-fps; as for the seed, kNoSeed without one and kBadSeed (said
// on the page) for anything else.
int64_t MaxFps();
// The page shows that the demo has stopped, with its exit code when not 0.
void Ended(int exitCode);

}  // namespace plat::page
