// A large additive cloud quad high above the city, drifting along +x.
#pragma once

class Cloud {
public:
    float x, y, z;  // quad centre, world units; the quad lies 500 higher
    float sx, sy;   // scale of the unit quad
    float speed;    // world units per frame along +x

    Cloud();
    ~Cloud() {}
    void CalcCloud();
    void DrawCloud();
};
