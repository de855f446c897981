// Counts calls of the global operator new in the GL test binary, so a test can
// show that a stretch of our code allocates nothing.
#pragma once

long AllocationCount();
