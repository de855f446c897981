// The layer's program: GL 1.1's lighting equation per vertex in eye space
// (emission, scene ambient, and per light ambient, diffuse and specular under
// attenuation and spot cone), then GL_MODULATE texturing per fragment. It is
// built once per context for each variant that comes up (the number of
// enabled lights, lit, textured, mixed blending), and its uniforms are sent
// before a batch where they changed since that program last had them.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/gl11/layer.h"

namespace gl11 {
namespace {

constexpr int kLightVectors = 7;  // vec4s per light in uLights

// Both shaders follow the version line and the variant's switches (LIGHTING,
// TEXTURING, MIXED_BLEND, 0 or 1); the vertex shader follows the lights' sum
// written out (SHINE_ALL) too.
const char* const kVersion = "#version 300 es\n";
const char* const kVertexShader = R"(
precision highp float;
layout(location = 0) in vec3 aEye;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aTexCoord;
layout(location = 3) in vec4 aColor;
layout(location = 4) in float aBlended;
uniform mat4 uProjection;
// Per light, 7 vectors: the ambient, diffuse and specular products (light
// times material), position, (spot direction, cos cutoff), (constant, linear,
// quadratic attenuation, spot exponent), (positional, cone, Mesa's highlight,
// shininess) with 1 or 0 for the three switches.
uniform vec4 uLights[56];
// Emission plus scene ambient times material ambient; the diffuse alpha.
uniform vec4 uScene;
out vec4 vColor;
out vec2 vTexCoord;
out float vBlended;

// What the light whose first vector is uLights[l] adds at this vertex, without
// branches, which software rasterisers run on every lane of a vector anyway.
vec3 Shine(int l, vec3 n)
{
    vec4 position = uLights[l + 3];
    vec4 spot = uLights[l + 4];
    vec4 k = uLights[l + 5];
    vec4 f = uLights[l + 6];
    vec3 toLight = position.xyz - aEye * position.w;
    float d = length(toLight);
    vec3 vp = toLight / d;
    float distance = mix(1.0, k.x + k.y * d + k.z * d * d, f.x);
    float s = dot(-vp, spot.xyz);
    float cone = mix(1.0, step(spot.w, s) * pow(max(s, 1e-30), k.w), f.y);
    float nDotVP = max(dot(n, vp), 0.0);
    // Infinite viewer: the eye looks along -z.
    float nDotH = dot(n, normalize(vp + vec3(0.0, 0.0, 1.0)));
    // Shininess 0 makes the highlight flat: 1 wherever the light reaches. Mesa,
    // the native driver, gives (n.VP)^(n.VP) instead when the light has a cone
    // or distance attenuation; the page follows it, so that both show one picture.
    float level = mix(1.0, pow(max(nDotVP, 1e-30), nDotVP), f.z);
    float highlight = f.w == 0.0 ? level : nDotH > 0.0 ? pow(nDotH, f.w) : 0.0;
    return cone / distance * (uLights[l].rgb + nDotVP * uLights[l + 1].rgb +
                              step(1e-30, nDotVP) * highlight * uLights[l + 2].rgb);
}

void main()
{
    vBlended = aBlended;
    gl_Position = uProjection * vec4(aEye, 1.0);
    gl_PointSize = 1.0;
    vTexCoord = aTexCoord;
#if LIGHTING
    // GL leaves the normal as the modelview made it: no normalisation.
    vec3 n = aNormal;
    vec3 c = uScene.rgb;
    SHINE_ALL
    vColor = vec4(clamp(c, 0.0, 1.0), clamp(uScene.a, 0.0, 1.0));
#else
    vColor = aColor;
#endif
}
)";

const char* const kFragmentShader = R"(
precision highp float;
in vec4 vColor;
in vec2 vTexCoord;
in float vBlended;
uniform sampler2D uTexture;
out vec4 fragColor;

void main()
{
#if TEXTURING
    fragColor = vColor * texture(uTexture, vTexCoord);
#else
    fragColor = vColor;
#endif
#if MIXED_BLEND
    // Blending (GL_ONE, GL_ONE_MINUS_SRC_ALPHA) of this is GL_SRC_ALPHA, GL_ONE
    // blending where the vertices had it and none where they had not.
    bool blended = vBlended > 0.5;
    fragColor = vec4(blended ? fragColor.rgb * fragColor.a : fragColor.rgb, blended ? 0.0 : 1.0);
#endif
}
)";

char g_openError[512] = "";

GLuint Compile(GLenum type, const char* const* sources, GLsizei count)
{
    const GLuint shader = es.CreateShader(type);
    es.ShaderSource(shader, count, sources, nullptr);
    es.CompileShader(shader);
    GLint ok = GL_FALSE;
    es.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        es.GetShaderInfoLog(shader, sizeof g_openError, nullptr, g_openError);
        es.DeleteShader(shader);
        return 0;
    }
    return shader;
}

// The variant's place in Layer::programs; an unlit one has no lights.
int VariantOf(int lights, const DrawKey& key)
{
    return ((key.lighting ? lights : 0) * 2 + key.lighting) * 4 + key.texturing * 2 + key.mixedBlend;
}

bool Build(Program& p, int variant)
{
    const int lights = variant / 8;
    char switches[96];
    std::snprintf(switches, sizeof switches, "#define LIGHTING %d\n#define TEXTURING %d\n#define MIXED_BLEND %d\n",
                  (variant >> 2) & 1, (variant >> 1) & 1, variant & 1);
    // The lights' sum written out, light by light: constant indices into uLights.
    char define[40 + kMaxLights * 24] = "#define SHINE_ALL";
    for (int i = 0; i < lights; ++i)
        std::snprintf(define + std::strlen(define), sizeof define - std::strlen(define), " c += Shine(%d, n);", i * kLightVectors);
    std::strcat(define, "\n");
    const char* vertexSources[] = {kVersion, switches, define, kVertexShader};
    const char* fragmentSources[] = {kVersion, switches, kFragmentShader};
    const GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSources, 4);
    if (vertex == 0) return false;
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragmentSources, 3);
    if (fragment == 0) {
        es.DeleteShader(vertex);
        return false;
    }
    const GLuint program = es.CreateProgram();
    es.AttachShader(program, vertex);
    es.AttachShader(program, fragment);
    es.LinkProgram(program);
    es.DeleteShader(vertex);  // kept alive by the program
    es.DeleteShader(fragment);
    GLint ok = GL_FALSE;
    es.GetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        es.GetProgramInfoLog(program, sizeof g_openError, nullptr, g_openError);
        return false;
    }
    p.name = program;
    p.uProjection = es.GetUniformLocation(program, "uProjection");
    p.uLights = es.GetUniformLocation(program, "uLights");
    p.uScene = es.GetUniformLocation(program, "uScene");
    p.uTexture = es.GetUniformLocation(program, "uTexture");
    p.uploaded = 0;
    es.UseProgram(program);
    es.Uniform1i(p.uTexture, 0);
    return true;
}

void Copy4(float* to, const float* from) { std::memcpy(to, from, 4 * sizeof(float)); }

}  // namespace

const char* OpenError() { return g_openError; }

bool BuildFirstProgram(Layer& layer)
{
    g_openError[0] = '\0';
    layer.programInUse = -1;  // Build put it in use, but the next batch says which it needs
    return Build(layer.programs[0], 0);
}

bool UseProgramFor(Layer& layer, const DrawKey& key)
{
    int enabled = 0;
    for (bool on : layer.lightEnabled) enabled += on;
    const int variant = VariantOf(enabled, key);
    Program& p = layer.programs[variant];
    if (p.name == 0 && !Build(p, variant)) return false;
    if (variant != layer.programInUse) es.UseProgram(p.name);
    layer.programInUse = variant;
    if (layer.uniformsStale) {
        layer.uniformsStale = false;
        ++layer.uniformVersion;
    }
    if (p.uploaded == layer.uniformVersion) return true;
    p.uploaded = layer.uniformVersion;
    es.UniformMatrix4fv(p.uProjection, 1, GL_FALSE, layer.projection[layer.projectionTop].m);
    if (!key.lighting) return true;

    // Enabled lights only, packed; their order does not change the sum. The
    // front material lights every face: lighting is one-sided.
    const Material& m = layer.front;
    float packed[kMaxLights * kLightVectors * 4] = {};
    int count = 0;
    for (int i = 0; i < kMaxLights; ++i) {
        if (!layer.lightEnabled[i]) continue;
        const Light& l = layer.lights[i];
        float* v = &packed[count * kLightVectors * 4];
        for (int c = 0; c < 3; ++c) {
            v[c] = m.ambient[c] * l.ambient[c];
            v[4 + c] = m.diffuse[c] * l.diffuse[c];
            v[8 + c] = m.specular[c] * l.specular[c];
        }
        Copy4(v + 12, l.position);
        float length = std::sqrt(l.spotDirection[0] * l.spotDirection[0] + l.spotDirection[1] * l.spotDirection[1] +
                                 l.spotDirection[2] * l.spotDirection[2]);
        if (length == 0.0f) length = 1.0f;
        for (int k = 0; k < 3; ++k) v[16 + k] = l.spotDirection[k] / length;
        const bool cone = l.spotCutoff != 180.0f;
        v[19] = cone ? static_cast<float>(std::cos(l.spotCutoff * 3.14159265358979323846 / 180.0)) : -1.0f;
        v[20] = l.attenuation[0];
        v[21] = l.attenuation[1];
        v[22] = l.attenuation[2];
        v[23] = l.spotExponent;
        const bool positional = l.position[3] != 0.0f;
        const bool distance = positional && (l.attenuation[0] != 1.0f || l.attenuation[1] != 0.0f ||
                                             l.attenuation[2] != 0.0f);
        v[24] = positional ? 1.0f : 0.0f;
        v[25] = cone ? 1.0f : 0.0f;
        v[26] = cone || distance ? 1.0f : 0.0f;  // where Mesa's flat highlight differs
        v[27] = m.shininess;
        ++count;
    }
    if (count > 0) es.Uniform4fv(p.uLights, count * kLightVectors, packed);
    float scene[4];
    for (int c = 0; c < 3; ++c) scene[c] = m.emission[c] + m.ambient[c] * layer.lightModelAmbient[c];
    scene[3] = m.diffuse[3];
    es.Uniform4fv(p.uScene, 1, scene);
    return true;
}

}  // namespace gl11
