// Prints, from a fresh process, the generator state that static construction
// of the pools left behind and a checksum over every field of every pooled
// object, so that tests can compare two processes.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "world/crt.h"
#include "scene/pools.h"

namespace {

uint64_t Fnv1a(uint64_t hash, const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

}  // namespace

int main()
{
    const uint32_t stateAfterPools = crt::g_randState;  // nothing else draws before main
    uint64_t hash = 14695981039346656037ull;
    hash = Fnv1a(hash, licht, sizeof licht);
    hash = Fnv1a(hash, Zenith, sizeof Zenith);
    hash = Fnv1a(hash, vloer, sizeof vloer);
    hash = Fnv1a(hash, cloudz, sizeof cloudz);
    // A box's corners are unset until SetupCarz; hash the drawn fields only.
    for (const Carz& box : kar) hash = Fnv1a(hash, &box, offsetof(Carz, corners));
    hash = Fnv1a(hash, mover, sizeof mover);
    std::printf("state %u checksum %016llx\n", stateAfterPools, static_cast<unsigned long long>(hash));
    return 0;
}
