// Inside the fixed-function layer: its state record (GL 1.1's state as GL keeps
// it, the ES objects behind it and the batch of transformed vertices waiting to
// be drawn) and the operations its files share. One context at a time.
#pragma once

#include <cstdint>

#include "platform/gl11/es_api.h"
#include "platform/gl11/matrix_math.h"

namespace gl11 {

inline constexpr int kMaxLights = 8;
inline constexpr int kModelviewDepth = 32;    // matrices, as Mesa
inline constexpr int kProjectionDepth = 32;
inline constexpr int kBatchVertices = 16384;  // per batch, flushed when full
inline constexpr int kBatchIndices = 3 * kBatchVertices;

struct Light {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float position[4];       // eye coordinates; w = 0 for a directional light
    float spotDirection[3];  // eye coordinates
    float spotExponent;
    float spotCutoff;        // degrees; 180: no cone
    float attenuation[3];    // constant, linear, quadratic
};

struct Material {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float emission[4];
    float shininess;
};

struct ClientArray {
    bool enabled;
    int size;            // components
    int stride;          // bytes between elements, never 0 once set
    const char* pointer;
};

// One vertex as the layer's program reads it: already in eye space.
struct BatchVertex {
    float eye[3];
    float normal[3];     // eye space, as long as GL would leave it
    float texCoord[2];
    uint8_t color[4];    // the current colour, for unlit drawing
    uint8_t blended[4];  // [0] 255 where GL_BLEND was on for it, in a batch that mixes
};
static_assert(sizeof(BatchVertex) == 40);

// The state a batch is drawn with that ES keeps outside the program's lights,
// material and projection (those flush the batch when they change).
struct DrawKey {
    GLenum mode;         // GL_TRIANGLES or GL_POINTS
    bool lighting;
    bool texturing;
    bool blend;          // ES blending
    bool mixedBlend;     // GL_SRC_ALPHA, GL_ONE blending on some vertices, off on others
    bool depthTest;
    bool offsetFill;
    GLenum blendSource, blendDestination;  // ES's
    float offsetFactor, offsetUnits;
};

// One build of the program: for one number of enabled lights, lit or not,
// textured or not, with mixed blending or not. Software rasterisers run both
// sides of a branch on a uniform, so each variant is a program of its own.
struct Program {
    GLuint name;                 // 0 until built
    GLint uProjection, uLights, uScene, uTexture;
    uint32_t uploaded;           // the uniforms' version it holds; 0: none yet
};
inline constexpr int kProgramVariants = (kMaxLights + 1) * 8;

class Layer {
public:
    // --- GL 1.1 state --------------------------------------------------------
    GLenum error;
    GLenum matrixMode;
    Matrix modelview[kModelviewDepth];
    int modelviewTop;
    Matrix projection[kProjectionDepth];
    int projectionTop;
    NormalMatrix normalMatrix;   // of modelview[modelviewTop]
    bool normalMatrixStale;
    bool lighting, depthTest, blend, texture2D, polygonOffsetFill;
    bool lightEnabled[kMaxLights];
    Light lights[kMaxLights];
    Material front, back;
    float lightModelAmbient[4];
    float color[4];              // current colour
    float normal[3];             // current normal
    float texCoord[2];           // current texture coordinates
    GLenum blendSource, blendDestination;
    float offsetFactor, offsetUnits;
    ClientArray vertexArray, normalArray, texCoordArray;

    // --- ES objects ---------------------------------------------------------------
    // Lighting runs unrolled over exactly the enabled lights: a loop that skips
    // lights costs software rasterisers (WebGL without a GPU) far more.
    Program programs[kProgramVariants];
    int programInUse;            // index into programs; -1: none put in use on this context yet
    GLuint vertexArrayObject, vertexBuffer, indexBuffer, texture;
    bool uniformsStale;          // lights, material or projection changed since the last version
    uint32_t uniformVersion;     // counts those changes; a program holding an older one is sent them
    DrawKey applied;             // what ES was last set to

    // --- The batch -----------------------------------------------------------------
    DrawKey batchKey;
    int batchVertexCount;
    int batchIndexCount;
    BatchVertex batchVertices[kBatchVertices];
    uint32_t batchIndices[kBatchIndices];
};

extern Layer g_layer;

// Records an error unless one is already waiting to be read, as GL does.
void SetError(GLenum error);
// The client array a GL_*_ARRAY names, or null.
ClientArray* ClientArrayOf(GLenum array);
// Batched drawing must finish before state it depends on changes.
void FlushBatch();
// Puts the program for a batch under this key in use (built the first time,
// for the lights enabled now), with the lights, material and projection sent
// where it holds older ones; false with the reason in OpenError() when that
// program does not build.
bool UseProgramFor(Layer& layer, const DrawKey& key);
// Builds the unlit, untextured program on a fresh context: false with the
// reason in OpenError() where the driver refuses the layer's shaders.
bool BuildFirstProgram(Layer& layer);
// Puts ES's blend, depth test and polygon offset where a key wants them.
void ApplyKey(Layer& layer, const DrawKey& key);

}  // namespace gl11
