// One frame, as every loop and norvex-capture draw it: cleared, the scene,
// flushed. The swap is the caller's.
#pragma once

void Draw();
