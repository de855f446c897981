// Drawing: vertices are taken from the client arrays, carried into eye space on
// the processor (so a change of modelview never splits a batch), quads cut into
// triangles, and appended to the batch; a batch goes to ES as one indexed draw.
#include <cmath>
#include <cstddef>
#include <cstring>

#include "platform/gl11/fixed_function.h"
#include "platform/gl11/layer.h"

namespace gl11 {
namespace {

struct Shape {
    GLenum esMode;
    int vertices;          // per primitive
    int indices;           // per primitive, after cutting
    uint8_t pattern[6];    // the primitive's vertices, in drawing order
};

// A quad cuts along its 1-3 diagonal, the 0-1-3 / 1-2-3 pair that Mesa's
// rasteriser draws: with smooth shading the diagonal shows.
constexpr Shape kPoints = {GL_POINTS, 1, 1, {0}};
constexpr Shape kTriangles = {GL_TRIANGLES, 3, 3, {0, 1, 2}};
constexpr Shape kQuads = {GL_TRIANGLES, 4, 6, {0, 1, 3, 1, 2, 3}};

const Shape* ShapeOf(GLenum mode)
{
    switch (mode) {
    case GL_POINTS: return &kPoints;
    case GL_TRIANGLES: return &kTriangles;
    case GL_QUADS: return &kQuads;
    default: return nullptr;
    }
}

bool operator==(const DrawKey& a, const DrawKey& b)
{
    return a.mode == b.mode && a.lighting == b.lighting && a.texturing == b.texturing && a.blend == b.blend &&
           a.mixedBlend == b.mixedBlend && a.depthTest == b.depthTest && a.offsetFill == b.offsetFill &&
           a.blendSource == b.blendSource && a.blendDestination == b.blendDestination && a.offsetFactor == b.offsetFactor &&
           a.offsetUnits == b.offsetUnits;
}

DrawKey CurrentKey(GLenum esMode)
{
    const Layer& l = g_layer;
    // Additive blending travels with each vertex, so that boxes drawn with it
    // on and off one after the other still make one batch (see the program).
    // Textured additive draws (the glows and clouds) come all blended: they
    // keep the driver's own blending, about a seventh cheaper per fragment on a
    // software rasteriser, where that pass is most of the frame.
    if (l.blendSource == GL_SRC_ALPHA && l.blendDestination == GL_ONE && !(l.blend && l.texture2D))
        return DrawKey{esMode, l.lighting, l.texture2D, true, true, l.depthTest, l.polygonOffsetFill,
                       GL_ONE, GL_ONE_MINUS_SRC_ALPHA, l.offsetFactor, l.offsetUnits};
    return DrawKey{esMode, l.lighting, l.texture2D, l.blend, false, l.depthTest, l.polygonOffsetFill,
                   l.blendSource, l.blendDestination, l.offsetFactor, l.offsetUnits};
}

// Makes room in the batch for this many vertices and indices under this key.
void Reserve(const DrawKey& key, int vertices, int indices)
{
    Layer& l = g_layer;
    const bool empty = l.batchVertexCount == 0 && l.batchIndexCount == 0;
    if (!empty && (!(key == l.batchKey) || l.batchVertexCount + vertices > kBatchVertices ||
                   l.batchIndexCount + indices > kBatchIndices))
        FlushBatch();
    if (l.batchVertexCount == 0 && l.batchIndexCount == 0) l.batchKey = key;
}

// Everything a vertex needs from the current state, gathered once per draw.
struct VertexSource {
    const Matrix* modelview;
    const NormalMatrix* normalMatrix;  // null when lighting is off
    bool texturing;
    uint8_t color[4];
    uint8_t blended;
};

uint8_t ColorByte(float c)
{
    const float clamped = c < 0.0f ? 0.0f : c > 1.0f ? 1.0f : c;
    return static_cast<uint8_t>(clamped * 255.0f + 0.5f);
}

VertexSource SourceForDraw()
{
    Layer& l = g_layer;
    const Matrix& modelview = l.modelview[l.modelviewTop];
    if (l.lighting && l.normalMatrixStale) {
        l.normalMatrix = NormalMatrixOf(modelview);
        l.normalMatrixStale = false;
    }
    const uint8_t blended = l.blend ? 255 : 0;
    VertexSource s{&modelview, l.lighting ? &l.normalMatrix : nullptr, l.texture2D, {}, blended};
    for (int c = 0; c < 4; ++c) s.color[c] = ColorByte(l.color[c]);
    return s;
}

// Element `index` of the client arrays, in eye space, appended to the batch.
void AppendVertex(const VertexSource& s, uint32_t index)
{
    Layer& l = g_layer;
    BatchVertex& out = l.batchVertices[l.batchVertexCount++];
    float in[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    std::memcpy(in, l.vertexArray.pointer + static_cast<size_t>(index) * l.vertexArray.stride,
                l.vertexArray.size * sizeof(float));
    float eye[4];
    TransformPoint(*s.modelview, in, in[3], eye);
    for (int k = 0; k < 3; ++k) out.eye[k] = eye[3] == 1.0f || eye[3] == 0.0f ? eye[k] : eye[k] / eye[3];
    if (s.normalMatrix) {
        float n[3];
        if (l.normalArray.enabled)
            std::memcpy(n, l.normalArray.pointer + static_cast<size_t>(index) * l.normalArray.stride, sizeof n);
        else
            std::memcpy(n, l.normal, sizeof n);
        TransformNormal(*s.normalMatrix, n, out.normal);
    } else {
        out.normal[0] = out.normal[1] = out.normal[2] = 0.0f;
    }
    if (s.texturing && l.texCoordArray.enabled) {
        float t[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        std::memcpy(t, l.texCoordArray.pointer + static_cast<size_t>(index) * l.texCoordArray.stride,
                    l.texCoordArray.size * sizeof(float));
        out.texCoord[0] = t[0];
        out.texCoord[1] = t[1];
    } else {
        out.texCoord[0] = l.texCoord[0];
        out.texCoord[1] = l.texCoord[1];
    }
    std::memcpy(out.color, s.color, sizeof out.color);
    out.blended[0] = s.blended;
}

// Clip planes a point in clip space lies beyond, a bit each, by a margin
// wider than the rounding by which ES's own product may differ from ours.
unsigned Beyond(const float clip[4])
{
    constexpr float kMargin = 1e-4f;  // relative to the coordinates' size
    unsigned planes = 0;
    for (int k = 0; k < 3; ++k) {
        const float margin = kMargin * (std::fabs(clip[k]) + std::fabs(clip[3]));
        if (clip[k] - clip[3] > margin) planes |= 1u << (2 * k);
        if (-clip[k] - clip[3] > margin) planes |= 2u << (2 * k);
    }
    return planes;
}

// Whether all of the array elements low..high lie beyond one clip plane: ES
// would clip away whatever they make, so they need not be sent at all.
bool OutsideView(uint32_t low, uint32_t high)
{
    const Layer& l = g_layer;
    const Matrix toClip = Multiply(l.projection[l.projectionTop], l.modelview[l.modelviewTop]);
    unsigned common = ~0u;
    for (uint64_t v = low; v <= high && common != 0; ++v) {
        float in[4] = {0.0f, 0.0f, 0.0f, 1.0f}, clip[4];
        std::memcpy(in, l.vertexArray.pointer + static_cast<size_t>(v) * l.vertexArray.stride,
                    l.vertexArray.size * sizeof(float));
        TransformPoint(toClip, in, in[3], clip);
        common &= Beyond(clip);
    }
    return common != 0;
}

// Appends `count` array elements, named by indexAt(0 .. count - 1), as primitives.
template <typename IndexAt>
void Assemble(GLenum mode, GLsizei count, IndexAt indexAt)
{
    const Shape* shape = ShapeOf(mode);
    if (shape == nullptr) return SetError(GL_INVALID_ENUM);
    if (count < 0) return SetError(GL_INVALID_VALUE);
    Layer& l = g_layer;
    const int primitives = count / shape->vertices;
    if (!l.vertexArray.enabled || primitives == 0) return;  // GL draws nothing then
    const int used = primitives * shape->vertices;
    uint32_t low = indexAt(0), high = low;
    for (int i = 1; i < used; ++i) {
        const uint32_t index = indexAt(i);
        low = index < low ? index : low;
        high = index > high ? index : high;
    }
    const uint64_t range = static_cast<uint64_t>(high) - low + 1;
    const int indices = primitives * shape->indices;
    const bool shared = range <= static_cast<uint64_t>(kBatchVertices) && indices <= kBatchIndices;
    if (shared && OutsideView(low, high)) return;  // most of the city is out of sight at any time
    const DrawKey key = CurrentKey(shape->esMode);
    const VertexSource source = SourceForDraw();
    if (shared) {
        // Each element once, however many primitives share it.
        Reserve(key, static_cast<int>(range), indices);
        const uint32_t first = static_cast<uint32_t>(l.batchVertexCount);
        for (uint64_t v = low; v <= high; ++v) AppendVertex(source, static_cast<uint32_t>(v));
        for (int p = 0; p < primitives; ++p)
            for (int k = 0; k < shape->indices; ++k)
                l.batchIndices[l.batchIndexCount++] = first + indexAt(p * shape->vertices + shape->pattern[k]) - low;
        return;
    }
    for (int p = 0; p < primitives; ++p) {  // too spread out to share: element by element
        Reserve(key, shape->vertices, shape->indices);
        const uint32_t first = static_cast<uint32_t>(l.batchVertexCount);
        for (int k = 0; k < shape->vertices; ++k) AppendVertex(source, indexAt(p * shape->vertices + k));
        for (int k = 0; k < shape->indices; ++k) l.batchIndices[l.batchIndexCount++] = first + shape->pattern[k];
    }
}

}  // namespace

void FlushBatch()
{
    Layer& l = g_layer;
    if (l.batchIndexCount == 0) {
        l.batchVertexCount = 0;
        return;
    }
    if (!UseProgramFor(l, l.batchKey)) {  // a program that does not build draws nothing
        SetError(GL_OUT_OF_MEMORY);
        l.batchVertexCount = 0;
        l.batchIndexCount = 0;
        return;
    }
    ApplyKey(l, l.batchKey);
    // Into the storage made once: new storage for every batch costs a software
    // renderer an allocation and fresh pages each time, more than the copy.
    es.BufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(l.batchVertexCount * sizeof(BatchVertex)),
                     l.batchVertices);
    es.BufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(l.batchIndexCount * sizeof(uint32_t)),
                     l.batchIndices);
    es.DrawElements(l.batchKey.mode, l.batchIndexCount, GL_UNSIGNED_INT, nullptr);
    l.batchVertexCount = 0;
    l.batchIndexCount = 0;
}

void Flush() { FlushBatch(); }

void Finish()
{
    FlushBatch();
    es.Finish();
}

void Rebind()
{
    Layer& l = g_layer;
    es.BindVertexArray(l.vertexArrayObject);
    es.BindBuffer(GL_ARRAY_BUFFER, l.vertexBuffer);
    es.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, l.indexBuffer);
    constexpr GLsizei kStride = sizeof(BatchVertex);
    es.VertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, kStride, reinterpret_cast<const void*>(offsetof(BatchVertex, eye)));
    es.VertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, kStride,
                           reinterpret_cast<const void*>(offsetof(BatchVertex, normal)));
    es.VertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, kStride,
                           reinterpret_cast<const void*>(offsetof(BatchVertex, texCoord)));
    es.VertexAttribPointer(3, 4, GL_UNSIGNED_BYTE, GL_TRUE, kStride,
                           reinterpret_cast<const void*>(offsetof(BatchVertex, color)));
    es.VertexAttribPointer(4, 1, GL_UNSIGNED_BYTE, GL_TRUE, kStride,
                           reinterpret_cast<const void*>(offsetof(BatchVertex, blended)));
    for (GLuint a = 0; a < 5; ++a) es.EnableVertexAttribArray(a);
    es.ActiveTexture(GL_TEXTURE0);
    es.BindTexture(GL_TEXTURE_2D, l.texture);
    es.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // ES state to a known key; the next batch puts its program in use.
    l.applied = DrawKey{GL_TRIANGLES, false, false, false, false, false, false, GL_ONE, GL_ZERO, 0.0f, 0.0f};
    es.Disable(GL_BLEND);
    es.Disable(GL_DEPTH_TEST);
    es.Disable(GL_POLYGON_OFFSET_FILL);
    es.BlendFunc(GL_ONE, GL_ZERO);
    es.PolygonOffset(0.0f, 0.0f);
    l.programInUse = -1;
}

void DrawArrays(GLenum mode, GLint first, GLsizei count)
{
    if (first < 0) return SetError(GL_INVALID_VALUE);
    Assemble(mode, count, [first](int i) { return static_cast<uint32_t>(first + i); });
}

void DrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices)
{
    switch (type) {
    case GL_UNSIGNED_BYTE:
        return Assemble(mode, count, [p = static_cast<const GLubyte*>(indices)](int i) { return uint32_t{p[i]}; });
    case GL_UNSIGNED_SHORT:
        return Assemble(mode, count, [p = static_cast<const GLushort*>(indices)](int i) { return uint32_t{p[i]}; });
    case GL_UNSIGNED_INT:
        return Assemble(mode, count, [p = static_cast<const GLuint*>(indices)](int i) { return uint32_t{p[i]}; });
    default: return SetError(GL_INVALID_ENUM);
    }
}

}  // namespace gl11
