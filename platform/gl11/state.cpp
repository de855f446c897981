// The layer's context and the GL 1.1 state that is plain switches and values:
// capabilities, errors, queries, blending, offset, viewport and clearing.
// Changes that batched vertices were drawn under flush the batch first.
#include <cstring>

#include "platform/gl11/fixed_function.h"
#include "platform/gl11/layer.h"

namespace gl11 {

EsApi es{};
Layer g_layer;

namespace {

void Set4(float* to, float a, float b, float c, float d)
{
    to[0] = a;
    to[1] = b;
    to[2] = c;
    to[3] = d;
}

// The flag behind a capability, or null.
bool* CapabilityOf(GLenum cap)
{
    Layer& l = g_layer;
    switch (cap) {
    case GL_LIGHTING: return &l.lighting;
    case GL_DEPTH_TEST: return &l.depthTest;
    case GL_BLEND: return &l.blend;
    case GL_TEXTURE_2D: return &l.texture2D;
    case GL_POLYGON_OFFSET_FILL: return &l.polygonOffsetFill;
    default: break;
    }
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kMaxLights) return &l.lightEnabled[cap - GL_LIGHT0];
    return nullptr;
}

void SetCapability(GLenum cap, bool on)
{
    bool* flag = CapabilityOf(cap);
    if (flag == nullptr) {
        SetError(GL_INVALID_ENUM);
        return;
    }
    if (*flag == on) return;
    // Which lights shine is part of the program's uniforms; the rest travels in the draw key.
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kMaxLights) {
        FlushBatch();
        g_layer.uniformsStale = true;
    }
    *flag = on;
}

void ResetState(Layer& l)
{
    l.error = GL_NO_ERROR;
    l.matrixMode = GL_MODELVIEW;
    l.modelview[0] = kIdentity;
    l.modelviewTop = 0;
    l.projection[0] = kIdentity;
    l.projectionTop = 0;
    l.normalMatrixStale = true;
    l.lighting = l.depthTest = l.blend = l.texture2D = l.polygonOffsetFill = false;
    for (int i = 0; i < kMaxLights; ++i) {
        Light& light = l.lights[i];
        const float on = i == 0 ? 1.0f : 0.0f;  // GL_LIGHT0 alone starts white
        l.lightEnabled[i] = false;
        Set4(light.ambient, 0, 0, 0, 1);
        Set4(light.diffuse, on, on, on, 1);
        Set4(light.specular, on, on, on, 1);
        Set4(light.position, 0, 0, 1, 0);
        light.spotDirection[0] = 0;
        light.spotDirection[1] = 0;
        light.spotDirection[2] = -1;
        light.spotExponent = 0;
        light.spotCutoff = 180;
        light.attenuation[0] = 1;
        light.attenuation[1] = 0;
        light.attenuation[2] = 0;
    }
    Material& m = l.front;
    Set4(m.ambient, 0.2f, 0.2f, 0.2f, 1);
    Set4(m.diffuse, 0.8f, 0.8f, 0.8f, 1);
    Set4(m.specular, 0, 0, 0, 1);
    Set4(m.emission, 0, 0, 0, 1);
    m.shininess = 0;
    l.back = l.front;
    Set4(l.lightModelAmbient, 0.2f, 0.2f, 0.2f, 1);
    Set4(l.color, 1, 1, 1, 1);
    l.normal[0] = 0;
    l.normal[1] = 0;
    l.normal[2] = 1;
    l.texCoord[0] = 0;
    l.texCoord[1] = 0;
    l.blendSource = GL_ONE;
    l.blendDestination = GL_ZERO;
    l.offsetFactor = 0;
    l.offsetUnits = 0;
    l.vertexArray = ClientArray{false, 4, 16, nullptr};
    l.normalArray = ClientArray{false, 3, 12, nullptr};
    l.texCoordArray = ClientArray{false, 4, 16, nullptr};
}

}  // namespace

void SetError(GLenum error)
{
    if (g_layer.error == GL_NO_ERROR) g_layer.error = error;
}

bool Open()
{
    Layer& l = g_layer;
    ResetState(l);
    l.batchVertexCount = 0;
    l.batchIndexCount = 0;
    for (Program& p : l.programs) p = Program{};
    l.uniformVersion = 1;  // programs start with none
    l.uniformsStale = false;
    es.GenVertexArrays(1, &l.vertexArrayObject);
    es.GenBuffers(1, &l.vertexBuffer);
    es.GenBuffers(1, &l.indexBuffer);
    es.GenTextures(1, &l.texture);
    Rebind();
    // Storage for a whole batch, once: each batch is written into it.
    es.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof l.batchVertices), nullptr, GL_STREAM_DRAW);
    es.BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof l.batchIndices), nullptr, GL_STREAM_DRAW);
    return BuildFirstProgram(l);
}

void Close()
{
    Layer& l = g_layer;
    l.batchVertexCount = 0;
    l.batchIndexCount = 0;
    for (Program& p : l.programs) p = Program{};
    l.vertexArrayObject = l.vertexBuffer = l.indexBuffer = l.texture = 0;
}

void Enable(GLenum cap) { SetCapability(cap, true); }

void Disable(GLenum cap) { SetCapability(cap, false); }

GLboolean IsEnabled(GLenum cap)
{
    if (const ClientArray* array = ClientArrayOf(cap)) return array->enabled ? GL_TRUE : GL_FALSE;
    const bool* flag = CapabilityOf(cap);
    if (flag == nullptr) {
        SetError(GL_INVALID_ENUM);
        return GL_FALSE;
    }
    return *flag ? GL_TRUE : GL_FALSE;
}

GLenum GetError()
{
    const GLenum own = g_layer.error;
    g_layer.error = GL_NO_ERROR;
    return own != GL_NO_ERROR ? own : es.GetError();
}

void GetFloatv(GLenum pname, GLfloat* values)
{
    const Layer& l = g_layer;
    switch (pname) {
    case GL_MODELVIEW_MATRIX: std::memcpy(values, l.modelview[l.modelviewTop].m, sizeof(Matrix)); break;
    case GL_PROJECTION_MATRIX: std::memcpy(values, l.projection[l.projectionTop].m, sizeof(Matrix)); break;
    case GL_CURRENT_COLOR: std::memcpy(values, l.color, sizeof l.color); break;
    default: SetError(GL_INVALID_ENUM); break;
    }
}

void GetIntegerv(GLenum pname, GLint* values)
{
    const Layer& l = g_layer;
    switch (pname) {
    case GL_MATRIX_MODE: *values = static_cast<GLint>(l.matrixMode); break;
    case GL_MODELVIEW_STACK_DEPTH: *values = l.modelviewTop + 1; break;
    case GL_PROJECTION_STACK_DEPTH: *values = l.projectionTop + 1; break;
    case GL_VERTEX_ARRAY_SIZE: *values = l.vertexArray.size; break;
    case GL_VERTEX_ARRAY_STRIDE: *values = l.vertexArray.stride; break;
    case GL_VERTEX_ARRAY_TYPE: *values = GL_FLOAT; break;
    default: es.GetIntegerv(pname, values); break;  // the viewport, limits, the framebuffer's own
    }
}

void GetPointerv(GLenum pname, void** values)
{
    switch (pname) {
    case GL_VERTEX_ARRAY_POINTER: *values = const_cast<char*>(g_layer.vertexArray.pointer); break;
    case GL_NORMAL_ARRAY_POINTER: *values = const_cast<char*>(g_layer.normalArray.pointer); break;
    case GL_TEXTURE_COORD_ARRAY_POINTER: *values = const_cast<char*>(g_layer.texCoordArray.pointer); break;
    default: SetError(GL_INVALID_ENUM); break;
    }
}

void ShadeModel(GLenum mode)
{
    if (mode != GL_SMOOTH) SetError(GL_INVALID_ENUM);
}

void PolygonMode(GLenum face, GLenum mode)
{
    if ((face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) || mode != GL_FILL)
        SetError(GL_INVALID_ENUM);
}

void PolygonOffset(GLfloat factor, GLfloat units)
{
    g_layer.offsetFactor = factor;
    g_layer.offsetUnits = units;
}

void BlendFunc(GLenum source, GLenum destination)
{
    g_layer.blendSource = source;
    g_layer.blendDestination = destination;
}

void Viewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    FlushBatch();
    es.Viewport(x, y, width, height);
}

void ClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) { es.ClearColor(red, green, blue, alpha); }

void Clear(GLbitfield mask)
{
    FlushBatch();
    es.Clear(mask);
}

}  // namespace gl11
