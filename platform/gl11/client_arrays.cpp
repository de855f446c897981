// The client arrays the draws read: which are enabled, and where their
// pointers lead, alone or interleaved.
#include "platform/gl11/fixed_function.h"
#include "platform/gl11/layer.h"

namespace gl11 {

// The client array a GL_*_ARRAY names, or null.
ClientArray* ClientArrayOf(GLenum array)
{
    switch (array) {
    case GL_VERTEX_ARRAY: return &g_layer.vertexArray;
    case GL_NORMAL_ARRAY: return &g_layer.normalArray;
    case GL_TEXTURE_COORD_ARRAY: return &g_layer.texCoordArray;
    default: return nullptr;
    }
}

void EnableClientState(GLenum array)
{
    if (ClientArray* a = ClientArrayOf(array)) a->enabled = true;
    else SetError(GL_INVALID_ENUM);
}

void DisableClientState(GLenum array)
{
    if (ClientArray* a = ClientArrayOf(array)) a->enabled = false;
    else if (array != GL_COLOR_ARRAY && array != GL_INDEX_ARRAY && array != GL_EDGE_FLAG_ARRAY)
        SetError(GL_INVALID_ENUM);  // those three are never on here
}

namespace {

void SetPointer(ClientArray& a, GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    if (type != GL_FLOAT) return SetError(GL_INVALID_ENUM);
    if (stride < 0) return SetError(GL_INVALID_VALUE);
    a.size = size;
    a.stride = stride != 0 ? stride : size * static_cast<int>(sizeof(float));
    a.pointer = static_cast<const char*>(pointer);
}

}  // namespace

void VertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    if (size < 2 || size > 4) return SetError(GL_INVALID_VALUE);
    SetPointer(g_layer.vertexArray, size, type, stride, pointer);
}

void NormalPointer(GLenum type, GLsizei stride, const void* pointer)
{
    SetPointer(g_layer.normalArray, 3, type, stride, pointer);
}

void TexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    if (size < 1 || size > 4) return SetError(GL_INVALID_VALUE);
    SetPointer(g_layer.texCoordArray, size, type, stride, pointer);
}

void InterleavedArrays(GLenum format, GLsizei stride, const void* pointer)
{
    if (format != GL_T2F_N3F_V3F) return SetError(GL_INVALID_ENUM);
    if (stride < 0) return SetError(GL_INVALID_VALUE);
    constexpr int kElement = 8 * sizeof(float);  // s t, nx ny nz, x y z
    const int step = stride != 0 ? stride : kElement;
    const char* base = static_cast<const char*>(pointer);
    Layer& l = g_layer;
    l.texCoordArray = ClientArray{true, 2, step, base};
    l.normalArray = ClientArray{true, 3, step, base + 2 * sizeof(float)};
    l.vertexArray = ClientArray{true, 3, step, base + 5 * sizeof(float)};
}


}  // namespace gl11
