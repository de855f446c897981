// A glow patch lying at ground level, drawn as one textured additive quad.
#pragma once

class Floor {
public:
    float x, y;    // patch centre, world units
    float z;       // translation height; the quad lies 500 higher
    float sx, sy;  // scale of the unit quad, at least 10
    int r, g, b;   // colour, 0..254

    Floor();
    ~Floor() {}
    void DrawFloor();
};
