// The 15-bit generator: its unseeded sequence, repeatability and range.
#include <gtest/gtest.h>

#include "world/crt.h"

TEST(Crt, UnseededSequenceSeedsAndRange)
{
    crt::srand(1);  // the unseeded state
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int v : expected) EXPECT_EQ(crt::rand(), v);

    for (unsigned seed : {0u, 7u, 123456789u, 0xFFFFFFFFu}) {
        crt::srand(seed);
        int first[64];
        for (int& v : first) v = crt::rand();
        crt::srand(seed);
        for (int v : first) EXPECT_EQ(crt::rand(), v);
    }
    int maximum = 0;
    crt::srand(99);
    for (int i = 0; i < 200000; ++i) {
        const int v = crt::rand();
        ASSERT_GE(v, 0);
        maximum = std::max(maximum, v);
    }
    EXPECT_EQ(maximum, crt::RAND_MAXIMUM);
}
