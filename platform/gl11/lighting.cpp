// Lights, materials and the current colour. Positions and spot directions are
// fixed in eye space by the modelview in force when they are given, as in GL.
#include <cstring>

#include "platform/gl11/fixed_function.h"
#include "platform/gl11/layer.h"

namespace gl11 {
namespace {

// The light a GL_LIGHTi names, or null (and GL_INVALID_ENUM).
Light* LightOf(GLenum light)
{
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + kMaxLights) {
        SetError(GL_INVALID_ENUM);
        return nullptr;
    }
    return &g_layer.lights[light - GL_LIGHT0];
}

}  // namespace

void Lightf(GLenum light, GLenum pname, GLfloat value)
{
    Light* l = LightOf(light);
    if (l == nullptr) return;
    float* target = nullptr;
    switch (pname) {
    case GL_SPOT_EXPONENT:
        if (value < 0 || value > 128) return SetError(GL_INVALID_VALUE);
        target = &l->spotExponent;
        break;
    case GL_SPOT_CUTOFF:
        if ((value < 0 || value > 90) && value != 180) return SetError(GL_INVALID_VALUE);
        target = &l->spotCutoff;
        break;
    case GL_CONSTANT_ATTENUATION:
    case GL_LINEAR_ATTENUATION:
    case GL_QUADRATIC_ATTENUATION:
        if (value < 0) return SetError(GL_INVALID_VALUE);
        target = &l->attenuation[pname - GL_CONSTANT_ATTENUATION];
        break;
    default: return SetError(GL_INVALID_ENUM);
    }
    FlushBatch();
    g_layer.uniformsStale = true;
    *target = value;
}

void Lightfv(GLenum light, GLenum pname, const GLfloat* values)
{
    Light* l = LightOf(light);
    if (l == nullptr) return;
    const Matrix& modelview = g_layer.modelview[g_layer.modelviewTop];
    switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR: {
        FlushBatch();
        float* colour = pname == GL_AMBIENT ? l->ambient : pname == GL_DIFFUSE ? l->diffuse : l->specular;
        std::memcpy(colour, values, 4 * sizeof(float));
        break;
    }
    case GL_POSITION:  // fixed in eye space by the modelview in force now
        FlushBatch();
        TransformPoint(modelview, values, values[3], l->position);
        break;
    case GL_SPOT_DIRECTION:
        FlushBatch();
        TransformDirection(modelview, values, l->spotDirection);
        break;
    default: return Lightf(light, pname, values[0]);
    }
    g_layer.uniformsStale = true;
}

void Materialfv(GLenum face, GLenum pname, const GLfloat* values)
{
    if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) return SetError(GL_INVALID_ENUM);
    const auto apply = [pname, values](Material& m) {
        switch (pname) {
        case GL_AMBIENT: std::memcpy(m.ambient, values, 4 * sizeof(float)); break;
        case GL_DIFFUSE: std::memcpy(m.diffuse, values, 4 * sizeof(float)); break;
        case GL_AMBIENT_AND_DIFFUSE:
            std::memcpy(m.ambient, values, 4 * sizeof(float));
            std::memcpy(m.diffuse, values, 4 * sizeof(float));
            break;
        case GL_SPECULAR: std::memcpy(m.specular, values, 4 * sizeof(float)); break;
        case GL_EMISSION: std::memcpy(m.emission, values, 4 * sizeof(float)); break;
        case GL_SHININESS: m.shininess = values[0]; break;
        default: break;
        }
    };
    switch (pname) {
    case GL_AMBIENT: case GL_DIFFUSE: case GL_AMBIENT_AND_DIFFUSE: case GL_SPECULAR: case GL_EMISSION: break;
    case GL_SHININESS:
        if (values[0] < 0 || values[0] > 128) return SetError(GL_INVALID_VALUE);
        break;
    default: return SetError(GL_INVALID_ENUM);
    }
    if (face != GL_BACK) {
        FlushBatch();
        g_layer.uniformsStale = true;
        apply(g_layer.front);
    }
    if (face != GL_FRONT) apply(g_layer.back);
}

void Color4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    const float colour[4] = {red, green, blue, alpha};
    std::memcpy(g_layer.color, colour, sizeof colour);
}

}  // namespace gl11
