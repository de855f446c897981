// The frame: every pass of the scene in its fixed order.
#include "scene/scene.h"

void ProcessNorvex() {}
