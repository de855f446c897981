// The three GLU calls the demo makes, on the layer: the perspective and look-at
// matrices computed as GLU computes them (doubles for the perspective, floats
// for the look-at frame), and the mipmap chain by box filter.
#include <GL/glu.h>

#include <cmath>
#include <vector>

#include "platform/gl11/fixed_function.h"
#include "platform/gl11/mipmap.h"

namespace gl11 {
namespace {

void Normalize(float v[3])
{
    const float r = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (r == 0.0f) return;
    v[0] /= r;
    v[1] /= r;
    v[2] /= r;
}

void Cross(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

void Perspective(GLdouble fovY, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    const double radians = fovY / 2.0 * 3.14159265358979323846 / 180.0;
    const double depth = zFar - zNear;
    const double sine = std::sin(radians);
    if (depth == 0.0 || sine == 0.0 || aspect == 0.0) return;  // GLU leaves the matrix alone
    const double cotangent = std::cos(radians) / sine;
    double m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / depth;
    m[11] = -1.0;
    m[14] = -2.0 * zNear * zFar / depth;
    GLfloat f[16];
    for (int i = 0; i < 16; ++i) f[i] = static_cast<GLfloat>(m[i]);  // as glMultMatrixd stores it
    MultMatrixf(f);
}

void LookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY, GLdouble centreZ,
            GLdouble upX, GLdouble upY, GLdouble upZ)
{
    float forward[3] = {static_cast<float>(centreX - eyeX), static_cast<float>(centreY - eyeY),
                        static_cast<float>(centreZ - eyeZ)};
    float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
    float side[3];
    Normalize(forward);
    Cross(forward, up, side);
    Normalize(side);
    Cross(side, forward, up);
    const GLfloat m[16] = {side[0], up[0], -forward[0], 0.0f,  //
                           side[1], up[1], -forward[1], 0.0f,  //
                           side[2], up[2], -forward[2], 0.0f,  //
                           0.0f,    0.0f,  0.0f,        1.0f};
    MultMatrixf(m);
    Translatef(static_cast<GLfloat>(-eyeX), static_cast<GLfloat>(-eyeY), static_cast<GLfloat>(-eyeZ));
}

GLint Build2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                     GLenum type, const void* pixels)
{
    if (target != GL_TEXTURE_2D || format != GL_RGBA || type != GL_UNSIGNED_BYTE) return GLU_INVALID_ENUM;
    if (!IsPowerOfTwo(width) || !IsPowerOfTwo(height)) return GLU_INVALID_VALUE;
    TexImage2D(target, 0, internalFormat, width, height, 0, format, type, pixels);
    // Two scratch levels, each built from the other; the first is the largest.
    const size_t firstLevel = static_cast<size_t>(width > 1 ? width / 2 : 1) * (height > 1 ? height / 2 : 1) * 4;
    std::vector<uint8_t> level(firstLevel), next(firstLevel);
    const auto* above = static_cast<const uint8_t*>(pixels);
    const int levels = MipLevelCount(width, height);
    for (int i = 1; i < levels; ++i) {
        HalveImage(above, width, height, level.data());
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        TexImage2D(target, i, internalFormat, width, height, 0, format, type, level.data());
        level.swap(next);
        above = next.data();
    }
    return 0;
}

}  // namespace gl11
