// The layer's one program: GL 1.1's lighting equation per vertex in eye space
// (emission, scene ambient, and per light ambient, diffuse and specular under
// attenuation and spot cone), then GL_MODULATE texturing per fragment.
#include <cmath>
#include <cstring>

#include "platform/gl11/layer.h"

namespace gl11 {
namespace {

constexpr int kLightVectors = 6;  // vec4s per light in uLights

// Attribute slots, bound before linking.
enum Attribute : GLuint { kEye = 0, kNormal = 1, kTexCoord = 2, kColor = 3 };

const char* const kVertexShader = R"(#version 300 es
precision highp float;
layout(location = 0) in vec3 aEye;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aTexCoord;
layout(location = 3) in vec4 aColor;
uniform mat4 uProjection;
uniform bool uLighting;
uniform int uLightCount;
// Per light: ambient, diffuse, specular, position, (spot direction, cos cutoff),
// (constant, linear, quadratic attenuation, spot exponent).
uniform vec4 uLights[48];
// Ambient, diffuse, specular, emission, (shininess, 0, 0, 0).
uniform vec4 uMaterial[5];
uniform vec4 uSceneAmbient;
out vec4 vColor;
out vec2 vTexCoord;

void main()
{
    gl_Position = uProjection * vec4(aEye, 1.0);
    gl_PointSize = 1.0;
    vTexCoord = aTexCoord;
    if (!uLighting) {
        vColor = aColor;
        return;
    }
    // GL leaves the normal as the modelview made it: no normalisation.
    vec3 n = aNormal;
    vec3 c = uMaterial[3].rgb + uMaterial[0].rgb * uSceneAmbient.rgb;
    for (int i = 0; i < 8; ++i) {
        if (i >= uLightCount) break;
        vec4 position = uLights[i * 6 + 3];
        vec4 spot = uLights[i * 6 + 4];
        vec4 k = uLights[i * 6 + 5];
        vec3 vp;
        float attenuation = 1.0;
        if (position.w != 0.0) {
            vec3 toLight = position.xyz - aEye;
            float d = length(toLight);
            vp = toLight / d;
            attenuation = 1.0 / (k.x + k.y * d + k.z * d * d);
        } else {
            vp = normalize(position.xyz);
        }
        if (spot.w > -2.0) {  // a cone: outside it the light gives nothing
            float s = dot(-vp, spot.xyz);
            attenuation *= s >= spot.w ? pow(s, k.w) : 0.0;
        }
        float nDotVP = max(dot(n, vp), 0.0);
        // Infinite viewer: the eye looks along -z.
        vec3 h = normalize(vp + vec3(0.0, 0.0, 1.0));
        float nDotH = max(dot(n, h), 0.0);
        float shine = uMaterial[4].x;
        // Shininess 0 makes the highlight flat: 1 wherever the light reaches. Mesa,
        // the native driver, gives (n.VP)^(n.VP) instead when the light has a cone
        // or distance attenuation; the page follows it, so both show one picture.
        bool attenuated = spot.w > -2.0 || (position.w != 0.0 && k.xyz != vec3(1.0, 0.0, 0.0));
        float level = attenuated ? pow(nDotVP, nDotVP) : 1.0;
        float specular = nDotVP > 0.0 ? (shine == 0.0 ? level : pow(nDotH, shine)) : 0.0;
        c += attenuation * (uMaterial[0].rgb * uLights[i * 6].rgb +
                            nDotVP * uMaterial[1].rgb * uLights[i * 6 + 1].rgb +
                            specular * uMaterial[2].rgb * uLights[i * 6 + 2].rgb);
    }
    vColor = vec4(clamp(c, 0.0, 1.0), clamp(uMaterial[1].a, 0.0, 1.0));
}
)";

const char* const kFragmentShader = R"(#version 300 es
precision highp float;
in vec4 vColor;
in vec2 vTexCoord;
uniform bool uTexturing;
uniform sampler2D uTexture;
out vec4 fragColor;

void main()
{
    fragColor = uTexturing ? vColor * texture(uTexture, vTexCoord) : vColor;
}
)";

char g_openError[512] = "";

GLuint Compile(GLenum type, const char* source)
{
    const GLuint shader = es.CreateShader(type);
    es.ShaderSource(shader, 1, &source, nullptr);
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

void Copy4(float* to, const float* from) { std::memcpy(to, from, 4 * sizeof(float)); }

}  // namespace

const char* OpenError() { return g_openError; }

bool BuildProgram(Layer& layer)
{
    g_openError[0] = '\0';
    const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader);
    if (vertex == 0) return false;
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
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
    layer.program = program;
    layer.uProjection = es.GetUniformLocation(program, "uProjection");
    layer.uLighting = es.GetUniformLocation(program, "uLighting");
    layer.uTexturing = es.GetUniformLocation(program, "uTexturing");
    layer.uLightCount = es.GetUniformLocation(program, "uLightCount");
    layer.uLights = es.GetUniformLocation(program, "uLights");
    layer.uMaterial = es.GetUniformLocation(program, "uMaterial");
    layer.uSceneAmbient = es.GetUniformLocation(program, "uSceneAmbient");
    layer.uTexture = es.GetUniformLocation(program, "uTexture");
    es.UseProgram(program);
    es.Uniform1i(layer.uTexture, 0);
    return true;
}

void UploadUniforms(Layer& layer)
{
    if (!layer.uniformsStale) return;
    layer.uniformsStale = false;
    es.UniformMatrix4fv(layer.uProjection, 1, GL_FALSE, layer.projection[layer.projectionTop].m);

    // Enabled lights only, packed; their order does not change the sum.
    float packed[kMaxLights * kLightVectors * 4] = {};
    int count = 0;
    for (int i = 0; i < kMaxLights; ++i) {
        if (!layer.lightEnabled[i]) continue;
        const Light& l = layer.lights[i];
        float* v = &packed[count * kLightVectors * 4];
        Copy4(v, l.ambient);
        Copy4(v + 4, l.diffuse);
        Copy4(v + 8, l.specular);
        Copy4(v + 12, l.position);
        float length = std::sqrt(l.spotDirection[0] * l.spotDirection[0] + l.spotDirection[1] * l.spotDirection[1] +
                                 l.spotDirection[2] * l.spotDirection[2]);
        if (length == 0.0f) length = 1.0f;
        for (int k = 0; k < 3; ++k) v[16 + k] = l.spotDirection[k] / length;
        // -2 (below any cosine) marks a light without a cone.
        v[19] = l.spotCutoff == 180.0f ? -2.0f
                                       : static_cast<float>(std::cos(l.spotCutoff * 3.14159265358979323846 / 180.0));
        v[20] = l.attenuation[0];
        v[21] = l.attenuation[1];
        v[22] = l.attenuation[2];
        v[23] = l.spotExponent;
        ++count;
    }
    es.Uniform1i(layer.uLightCount, count);
    if (count > 0) es.Uniform4fv(layer.uLights, count * kLightVectors, packed);

    const Material& m = layer.front;  // one-sided lighting: the front material lights every face
    float material[5 * 4] = {};
    Copy4(material, m.ambient);
    Copy4(material + 4, m.diffuse);
    Copy4(material + 8, m.specular);
    Copy4(material + 12, m.emission);
    material[16] = m.shininess;
    es.Uniform4fv(layer.uMaterial, 5, material);
    es.Uniform4fv(layer.uSceneAmbient, 1, layer.lightModelAmbient);
}

void ApplyKey(Layer& layer, const DrawKey& key)
{
    DrawKey& es_ = layer.applied;
    const auto toggle = [](bool& now, bool want, GLenum cap) {
        if (now == want) return;
        (want ? es.Enable : es.Disable)(cap);
        now = want;
    };
    toggle(es_.blend, key.blend, GL_BLEND);
    toggle(es_.depthTest, key.depthTest, GL_DEPTH_TEST);
    toggle(es_.offsetFill, key.offsetFill, GL_POLYGON_OFFSET_FILL);
    if (es_.blendSource != key.blendSource || es_.blendDestination != key.blendDestination) {
        es.BlendFunc(key.blendSource, key.blendDestination);
        es_.blendSource = key.blendSource;
        es_.blendDestination = key.blendDestination;
    }
    if (es_.offsetFactor != key.offsetFactor || es_.offsetUnits != key.offsetUnits) {
        es.PolygonOffset(key.offsetFactor, key.offsetUnits);
        es_.offsetFactor = key.offsetFactor;
        es_.offsetUnits = key.offsetUnits;
    }
    if (es_.lighting != key.lighting) {
        es.Uniform1i(layer.uLighting, key.lighting ? 1 : 0);
        es_.lighting = key.lighting;
    }
    if (es_.texturing != key.texturing) {
        es.Uniform1i(layer.uTexturing, key.texturing ? 1 : 0);
        es_.texturing = key.texturing;
    }
}

}  // namespace gl11
