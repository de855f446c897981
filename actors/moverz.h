// A small lit box that drives the street grid and turns at block boundaries.
#pragma once

class Moverz {
public:
    float x, y;        // position on the grid line, world units
    float z;           // height of the box centre, always 100
    float sx, sy, sz;  // cube scale; sy equals sx
    int r, g, b;       // colour, 0..254
    int dir;           // heading: 0 +x, 1 -x, 2 +y, 3 -y
    float speed;       // world units per frame
    float dist;        // distance since the last boundary or wrap
    int turn;          // last turn draw, 0..2
    float lane;        // lane distance from the centre line, speed x 5
    float ox, oy;      // drawing offset, to the right of travel

    Moverz();
    ~Moverz() {}
    void CalcMoverz();
    void DrawMoverz();
};
