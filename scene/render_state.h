// Render-state facts shared by the scene set-up and the frame: the glow
// texture's name and the lit material each pass of the frame sets.
#pragma once

#include <GL/gl.h>

// The glow texture is the default texture object: no name is ever generated.
inline constexpr GLuint GLOW_TEXTURE = 0;

// One lit material per pass, set on both faces.
struct Material {
    GLfloat ambientAndDiffuse[4];
    GLfloat specular[4];
};
inline constexpr Material GLOW_MATERIAL = {{0.9f, 0.9f, 0.9f, 0.8f}, {0.901f, 0.901f, 0.901f, 0.9f}};
inline constexpr Material BOX_MATERIAL = {{0.2f, 0.2f, 0.2f, 0.95f}, {0.4201f, 0.4201f, 0.4201f, 0.93f}};
inline constexpr Material MOVER_MATERIAL = {{0.102f, 0.102f, 0.102f, 0.3f}, {0.101f, 0.101f, 0.101f, 0.6303f}};

// Sets a pass's material on both faces.
inline void ApplyMaterial(const Material& m)
{
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, m.ambientAndDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
}
