// One fixed, lit box of the city: a bar along x, a bar along y, or a tower.
#pragma once

class Carz {
public:
    float x, y;        // centre, world units (cell centre plus jitter)
    float z;           // centre height of a bar; unused by towers
    float scale;       // uniform cube scale, 0.5..3.83
    float length;      // stretch of the long axis, 70..519
    int r, g, b;       // colour, 0..254
    int type;          // 0 bar along x, 1 bar along y, 2 tower
    int blend;         // 1: drawn additively blended
    float corners[24]; // eight corners x, y, z in world units, built by SetupCarz

    Carz();
    ~Carz() {}
    void SetupCarz();
    void DrawCarz();
};
