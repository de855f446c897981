// The scene's own framebuffer: renderbuffers of the scaled size (depth 16, as
// the window's pixel format asks), a resolve step when multisampled and
// stretched, and the stretch itself with linear filtering.
#define GL_GLEXT_PROTOTYPES 1
#include "shell/scene_target/scene_target.h"

#include "shell/scene_target/framebuffer_calls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/core/options.h"

namespace {

// Framebuffer objects are GL 3.0 and ES 3.0, or an extension before them.
bool HasFramebuffers()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    constexpr char kEs[] = "OpenGL ES ";
    if (version != nullptr && std::strncmp(version, kEs, sizeof kEs - 1) == 0) version += sizeof kEs - 1;
    if (version != nullptr && std::atoi(version) >= 3) return true;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, "GL_ARB_framebuffer_object") != nullptr;
}

// Each problem is said once a run, not again for every new window.
bool g_saidNoFramebuffers = false, g_saidNoSamples = false, g_saidSoftware = false;

// Mesa's rasterisers that run on the processor.
bool SoftwareRenderer(const char* renderer)
{
    if (renderer == nullptr) return false;
    for (const char* name : {"llvmpipe", "softpipe", "swrast"})
        if (std::strstr(renderer, name) != nullptr) return true;
    return false;
}

// The share of a width x height picture that a software renderer keeps up
// with; 1 for any other renderer, a small picture or a multisampled window.
float SoftwareScale(const char* program, int32_t width, int32_t height)
{
    const double pixels = static_cast<double>(width) * height;
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (pixels <= SOFTWARE_MAX_PIXELS || !SoftwareRenderer(renderer)) return 1.0f;
    GLint windowSamples = 0;
    glGetIntegerv(GL_SAMPLES, &windowSamples);
    if (windowSamples > 0) return 1.0f;  // a stretch cannot be drawn into it
    const float scale = std::max(static_cast<float>(std::sqrt(SOFTWARE_MAX_PIXELS / pixels)), static_cast<float>(MIN_SCALE));
    if (!g_saidSoftware)
        std::fprintf(stderr, "%s: %s draws on the processor: the %dx%d picture is drawn at scale %.2f and "
                     "stretched (--scale 1 draws it whole)\n", program, renderer, width, height, scale);
    g_saidSoftware = true;
    return scale;
}

void SayNoFramebuffers(const char* program, const char* why)
{
    if (g_saidNoFramebuffers) return;
    g_saidNoFramebuffers = true;
    std::fprintf(stderr, "%s: %s; drawing at the window's size\n", program, why);
}

GLuint Renderbuffer(GLenum format, int32_t samples, int32_t width, int32_t height)
{
    GLuint name = 0;
    glGenRenderbuffers(1, &name);
    glBindRenderbuffer(GL_RENDERBUFFER, name);
    if (samples > 0) glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    else glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
    return name;
}

GLuint Framebuffer(GLuint color, GLuint depth)
{
    GLuint name = 0;
    glGenFramebuffers(1, &name);
    glBindFramebuffer(GL_FRAMEBUFFER, name);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color);
    if (depth != 0) glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    return name;
}

}  // namespace

void SceneTarget::Open(int32_t windowWidth, int32_t windowHeight)
{
    Close();
    if (fitSoftware) scale = SoftwareScale(program, windowWidth, windowHeight);
    if (scale >= 1.0f && samples == 0) return;  // nothing to do: straight into the window
    if (!HasFramebuffers()) {
        SayNoFramebuffers(program, "no framebuffer objects here");
        return;
    }
    GLint most = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &most);
    if (samples > most) {
        if (!g_saidNoSamples)
            std::fprintf(stderr, "%s: no %d-sample framebuffers here; drawing without multisampling\n", program,
                         samples);
        g_saidNoSamples = true;
        samples = 0;
    }
    if (scale >= 1.0f && samples == 0) return;  // nothing to do: straight into the window
    width = windowWidth;
    height = windowHeight;
    Allocate();
}

bool SceneTarget::Allocate()
{
    sceneWidth = static_cast<int32_t>(std::lround(width * static_cast<double>(scale)));
    sceneHeight = static_cast<int32_t>(std::lround(height * static_cast<double>(scale)));
    if (sceneWidth < 1) sceneWidth = 1;
    if (sceneHeight < 1) sceneHeight = 1;
    color = Renderbuffer(GL_RGBA8, samples, sceneWidth, sceneHeight);
    depth = Renderbuffer(GL_DEPTH_COMPONENT16, samples, sceneWidth, sceneHeight);
    framebuffer = Framebuffer(color, depth);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (samples > 0 && (sceneWidth != width || sceneHeight != height)) {
        resolvedColor = Renderbuffer(GL_RGBA8, 0, sceneWidth, sceneHeight);
        resolved = Framebuffer(resolvedColor, 0);
        complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        SayNoFramebuffers(program, "the driver refused the scene's framebuffer");
        Free();
        return false;
    }
    glViewport(0, 0, sceneWidth, sceneHeight);
    return true;
}

void SceneTarget::Resize(int32_t windowWidth, int32_t windowHeight)
{
    if (fitSoftware) return Open(windowWidth, windowHeight);  // the share the new size needs
    if (framebuffer == 0) return;
    if (windowWidth != width || windowHeight != height) {
        Free();
        width = windowWidth;
        height = windowHeight;
        Allocate();
        return;
    }
    glViewport(0, 0, sceneWidth, sceneHeight);
}

void SceneTarget::Begin()
{
    if (framebuffer != 0) glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void SceneTarget::Show()
{
    if (framebuffer == 0) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    if (resolved != 0) {  // samples are resolved at the same size; only then stretched
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolved);
        glBlitFramebuffer(0, 0, sceneWidth, sceneHeight, 0, 0, sceneWidth, sceneHeight, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, resolved);
    }
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    const bool stretched = sceneWidth != width || sceneHeight != height;
    glBlitFramebuffer(0, 0, sceneWidth, sceneHeight, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                      stretched ? GL_LINEAR : GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void SceneTarget::Free()
{
    const GLuint framebuffers[] = {framebuffer, resolved};
    const GLuint renderbuffers[] = {color, depth, resolvedColor};
    glDeleteFramebuffers(2, framebuffers);  // names 0 are ignored
    glDeleteRenderbuffers(3, renderbuffers);
    framebuffer = color = depth = resolved = resolvedColor = 0;
}

void SceneTarget::Close()
{
    if (framebuffer != 0) Free();
}
