// The pools themselves. Keep them in this one file and in this order: static
// initialisation constructs them top to bottom, and every constructor draws
// from the shared generator.
#include "scene/pools.h"

Lampje licht[LICHT_COUNT];
Camera Zenith[ZENITH_COUNT];
Floor vloer[VLOER_COUNT];
Cloud cloudz[CLOUDZ_COUNT];
Carz kar[KAR_COUNT];
Moverz mover[MOVER_COUNT];
