// norvex-capture: renders the demo's own scene offscreen and writes its frames
// as PNG files or as a YUV4MPEG2 stream, with the start-up seed pinned so that
// the same seed gives the same frames on the same driver.
#include <GL/gl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "capture_options.h"
#include "frame_writers.h"
#include "world/crt.h"
#include "platform/gl11_route/route.h"
#include "platform/offscreen/offscreen.h"
#include "scene/scene.h"
#include "shell/core/draw.h"
#include "shell/scene_target/scene_target.h"

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) { g_interrupted = 1; }

int Fail(int code, const std::string& message)
{
    std::fprintf(stderr, "norvex-capture: %s\n", message.c_str());
    if (code == 2) std::fprintf(stderr, "%s\n", capture::USAGE);
    return code;
}

// Creates the folder and its parents as needed. Empty when it exists and can
// be written; otherwise what failed, with the system's reason.
std::string PrepareFolder(const std::string& dir)
{
    for (size_t at = 1; at <= dir.size(); ++at) {
        if (at < dir.size() && dir[at] != '/') continue;
        const std::string prefix = dir.substr(0, at);
        if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
            return "cannot create the folder '" + prefix + "': " + std::strerror(errno);
    }
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0) return "cannot reach the folder '" + dir + "': " + std::strerror(errno);
    if (!S_ISDIR(info.st_mode)) return "cannot write into '" + dir + "': " + std::strerror(ENOTDIR);
    if (::access(dir.c_str(), W_OK | X_OK) != 0) return "cannot write into '" + dir + "': " + std::strerror(errno);
    return {};
}

// Reads the back buffer as RGBA rows, top row first.
void ReadFrame(int width, int height, std::vector<unsigned char>& rgba, std::vector<unsigned char>& scratch)
{
    const size_t stride = static_cast<size_t>(width) * 4;
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, scratch.data());
    for (int row = 0; row < height; ++row)
        std::memcpy(rgba.data() + row * stride, scratch.data() + (height - 1 - row) * stride, stride);
}

void ShowProgress(int done, int total, std::chrono::steady_clock::time_point start)
{
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double fps = seconds > 0 ? done / seconds : 0.0;
    const double left = fps > 0 ? (total - done) / fps : 0.0;
    std::fprintf(stderr, "\rframe %d/%d  %.1f fps  %.0f s left   ", done, total, fps, left);
    if (done == total) std::fputc('\n', stderr);
}

}  // namespace

int main(int argc, char** argv)
{
    capture::Options options;
    const cli::Parsed parsed = capture::ParseOptions(argc, argv, options);
    if (parsed.outcome != cli::Outcome::Run)
        return cli::Report(parsed, "norvex-capture", capture::USAGE, capture::HELP);
    // A video stream is no text for a terminal to show, as compressors say too.
    if (options.y4m && ::isatty(STDOUT_FILENO))
        return Fail(2, "--y4m writes a binary video stream: redirect it to a file or a pipe, "
                       "such as '| ffmpeg -i - -pix_fmt yuv420p demo.mp4'");
    if (!options.y4m) {
        const std::string problem = PrepareFolder(options.outDir);
        if (!problem.empty()) return Fail(1, problem);
    }

    plat::OffscreenGL gl;
    if (!gl.Open(options.width, options.height, options.renderer))
        return Fail(1, "no offscreen OpenGL context: " + gl.error());
    if (!gl.fallback().empty()) gl11route::SayFixed("norvex-capture", gl.fallback().c_str());

    // What the demo's entry point does before its first window, with the clock pinned.
    crt::PinTime(options.seed);
    crt::srand(crt::time());
    Initialize(options.width, options.height);
    // Multisampling through a framebuffer of its own: Mesa offers pbuffer
    // configs with samples, but its software renderer draws them without.
    SceneTarget target;
    target.samples = options.samples;
    target.program = "norvex-capture";
    if (options.samples > 0) target.Open(options.width, options.height);

    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    const bool progress = ::isatty(STDERR_FILENO);
    const auto start = std::chrono::steady_clock::now();
    std::vector<unsigned char> rgba(static_cast<size_t>(options.width) * options.height * 4), scratch(rgba.size());
    capture::Y4mWriter stream(stdout, options.width, options.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const gl11route::Route drawn = gl11route::Current();
    for (int frame = 1; frame <= options.frames && !g_interrupted; ++frame) {
        // Every frame is flown, written or not: the flight depends on the
        // count alone. Those before --from need not be drawn.
        gl11route::Set(frame < options.from ? gl11route::Route::Nowhere : drawn);
        target.Begin();
        Draw();
        target.Show();
        if (frame >= options.from && frame % options.every == 0) {
            ReadFrame(options.width, options.height, rgba, scratch);
            char name[32];
            std::snprintf(name, sizeof name, "/frame_%06d.png", frame);
            errno = 0;
            const bool written = options.y4m ? stream.WriteFrame(rgba)
                                             : capture::WritePng(options.outDir + name, options.width, options.height, rgba);
            if (!written)
                return Fail(1, (options.y4m ? std::string("cannot write the stream") : "cannot write " + options.outDir + name) +
                                   (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()));
        }
        gl.Swap();
        if (progress) ShowProgress(frame, options.frames, start);
    }
    if (g_interrupted) return Fail(130, "interrupted");
    target.Close();  // before the context goes
    if (const GLenum error = glGetError(); error != GL_NO_ERROR) {
        char text[48];
        std::snprintf(text, sizeof text, "GL error 0x%04x", error);
        return Fail(1, text);
    }
    return 0;
}
