// norvex-capture as a user runs it: golden frames, determinism, the stream
// format, bad input and interruption.
#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Result {
    int code = -1;
    std::string err;
};

// Runs norvex-capture with args in cwd; stdout to outFile, stderr captured. On
// a terminal (script(1)'s pseudo-terminal) both streams are captured.
Result Capture(const std::string& args, const fs::path& cwd, const std::string& outFile = "/dev/null",
               bool terminal = false)
{
    const fs::path errFile = cwd / ".stderr";
    const std::string run = terminal ? "script -qec '" CAPTURE_PATH " " + args + "' /dev/null"
                                     : CAPTURE_PATH " " + args;
    const std::string command = "cd '" + cwd.string() + "' && " + run + " 2>'" + errFile.string() + "' >" +
                                (terminal ? "&2" : outFile);
    const int status = std::system(command.c_str());
    Result r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    r.err.assign(std::istreambuf_iterator<char>(in), {});
    fs::remove(errFile);
    return r;
}

fs::path FreshDir(const std::string& name)
{
    const fs::path dir = fs::temp_directory_path() / ("norvex-capture-test-" + std::to_string(getpid())) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

struct Image {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

bool ReadPng(const fs::path& path, Image& image)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGB;
    image.width = png.width;
    image.height = png.height;
    image.rgb.resize(PNG_IMAGE_SIZE(png));
    return png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr) != 0;
}

void WritePng(const fs::path& path, const Image& image)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = image.width;
    png.height = image.height;
    png.format = PNG_FORMAT_RGB;
    png_image_write_to_file(&png, path.c_str(), 0, image.rgb.data(), 0, nullptr);
}

std::string Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

size_t FileCount(const fs::path& dir)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

}  // namespace

// A pixel matches when no channel differs by more than kChannelTolerance; a
// frame matches when at most kMismatchShare of its pixels do not (drivers on
// other processors round a few edge pixels differently).
TEST(Capture, GoldenFrames)
{
    constexpr int kChannelTolerance = 3;
    constexpr double kMismatchShare = 0.005;
    const fs::path dir = FreshDir("golden");
    const Result r = Capture("--seed 1 --size 256x192 --frames 600 --out frames", dir);
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char* name : {"frame_000001.png", "frame_000120.png", "frame_000600.png"}) {
        Image got, want;
        ASSERT_TRUE(ReadPng(dir / "frames" / name, got)) << name;
        ASSERT_TRUE(ReadPng(fs::path(GOLDEN_DIR) / name, want)) << "missing reference " << name;
        ASSERT_EQ(got.width, want.width);
        ASSERT_EQ(got.height, want.height);
        Image diff = got;
        size_t bad = 0;
        for (size_t i = 0; i < got.rgb.size(); i += 3) {
            bool differs = false;
            for (int c = 0; c < 3; ++c) {
                const int delta = std::abs(got.rgb[i + c] - want.rgb[i + c]);
                differs |= delta > kChannelTolerance;
                diff.rgb[i + c] = static_cast<unsigned char>(std::min(255, delta * 16));
            }
            bad += differs;
        }
        const size_t pixels = got.rgb.size() / 3;
        if (bad > kMismatchShare * pixels) {
            const fs::path keep = fs::path(FAILED_DIR);
            fs::create_directories(keep);
            WritePng(keep / (std::string("got_") + name), got);
            WritePng(keep / (std::string("diff_") + name), diff);
            ADD_FAILURE() << name << ": " << bad << " of " << pixels << " pixels differ; got and diff saved in "
                          << keep;
        }
    }
    fs::remove_all(dir);
}

// The busy frames of a flight drawn through the GL 1.1 layer (batched) and by
// the driver's fixed function (fixed) differ only at edge pixels: bars thinner
// than a pixel, boxes that meet in depth. The layer's fallback line would say
// that batched was not drawn at all.
TEST(Capture, BatchedFramesAgreeWithFixed)
{
    constexpr int kChannelTolerance = 8;
    constexpr double kMismatchShare = 0.002;
    const fs::path dir = FreshDir("renderers");
    for (const std::string renderer : {"fixed", "batched"}) {
        const Result r = Capture("--seed 3 --size 256x192 --frames 900 --from 600 --every 300 --renderer " +
                                     renderer + " --out " + renderer, dir);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "") << renderer;
    }
    for (const char* name : {"frame_000600.png", "frame_000900.png"}) {
        Image fixed, batched;
        ASSERT_TRUE(ReadPng(dir / "fixed" / name, fixed) && ReadPng(dir / "batched" / name, batched)) << name;
        ASSERT_EQ(fixed.rgb.size(), batched.rgb.size());
        size_t bad = 0, lit = 0;
        for (size_t i = 0; i < fixed.rgb.size(); i += 3) {
            int largest = 0;
            for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(fixed.rgb[i + c] - batched.rgb[i + c]));
            bad += largest > kChannelTolerance;
            lit += fixed.rgb[i] + fixed.rgb[i + 1] + fixed.rgb[i + 2] > 30;
        }
        const size_t pixels = fixed.rgb.size() / 3;
        EXPECT_GT(lit, pixels / 4) << name << ": the city should fill a quarter of the picture";
        EXPECT_LE(bad, kMismatchShare * pixels) << name << ": " << bad << " of " << pixels << " pixels differ";
    }
    fs::remove_all(dir);
}

TEST(Capture, SameSeedSameBytesOtherSeedOtherPicture)
{
    const fs::path dir = FreshDir("determinism");
    const char* runs[] = {"--seed 7 --size 96x72 --frames 40 --every 20 --out a",
                          "--seed 7 --size 96x72 --frames 40 --every 20 --out b",
                          "--seed 8 --size 96x72 --frames 40 --every 20 --out c",
                          "--seed 7 --size 96x72 --frames 40 --every 20 --from 21 --out d"};
    for (const char* args : runs) ASSERT_EQ(Capture(args, dir).code, 0) << args;
    EXPECT_EQ(FileCount(dir / "a"), 2u);
    for (const char* name : {"frame_000020.png", "frame_000040.png"}) {
        EXPECT_EQ(Bytes(dir / "a" / name), Bytes(dir / "b" / name)) << name;
        EXPECT_NE(Bytes(dir / "a" / name), Bytes(dir / "c" / name)) << name;
    }
    // --from: the frames before it are not written, and the flight is the same.
    EXPECT_EQ(FileCount(dir / "d"), 1u);
    EXPECT_EQ(Bytes(dir / "d" / "frame_000040.png"), Bytes(dir / "a" / "frame_000040.png"));

    // The stream: a header, then one 4:4:4 frame of 3 planes per kept frame.
    for (const auto& [args, kept] : {std::pair{"--size 16x8 --frames 3 --y4m", 3}, {"--size 16x8 --frames 3 --from 3 --y4m", 1}}) {
        const Result r = Capture(args, dir, "stream.y4m");
        ASSERT_EQ(r.code, 0) << r.err;
        const std::string stream = Bytes(dir / "stream.y4m");
        const std::string header = "YUV4MPEG2 W16 H8 F30:1 Ip A1:1 C444\n";
        ASSERT_EQ(stream.compare(0, header.size(), header), 0) << stream.substr(0, 40);
        EXPECT_EQ(stream.size(), header.size() + kept * (6 + 16 * 8 * 3)) << args;
    }
    fs::remove_all(dir);
}

// The same frame with 4 and 8 samples per pixel: at least three times as many
// pixels strictly between two neighbours a hard edge apart (multisampling's
// in-between colours), or, where the driver lacks that many, said so and the
// very picture without. 4 samples: every driver with framebuffer objects.
TEST(Capture, SamplesSoftenEdgesOrAreSaidMissing)
{
    const fs::path dir = FreshDir("samples");
    const auto soft = [&](const std::string& name, const std::string& samples, Image& image) {
        const Result r = Capture("--seed 2 --size 160x120 --frames 100 --every 100 --out " + name + samples, dir);
        EXPECT_EQ(r.code, 0) << samples << ": " << r.err;  // a GL error ends it with 1
        EXPECT_TRUE(ReadPng(dir / name / "frame_000100.png", image));
        const auto grey = [&](unsigned x, unsigned y) {
            const unsigned char* p = &image.rgb[(y * image.width + x) * 3];
            return (p[0] + p[1] + p[2]) / 3;
        };
        size_t count = 0;
        for (unsigned y = 1; y + 1 < image.height; ++y)
            for (unsigned x = 1; x + 1 < image.width; ++x)
                for (const auto& [a, c] : {std::pair{grey(x - 1, y), grey(x + 1, y)}, {grey(x, y - 1), grey(x, y + 1)}})
                    count += std::abs(a - c) >= 64 && grey(x, y) > std::min(a, c) + 16 && grey(x, y) < std::max(a, c) - 16;
        return std::pair{count, r.err};
    };
    Image plain, got;
    const size_t plainSoft = soft("plain", "", plain).first;
    for (const char* samples : {"4", "8"}) {
        const auto [count, err] = soft(std::string("s") + samples, std::string(" --samples ") + samples, got);
        const bool missing = err.find("drawing without multisampling") != std::string::npos;
        EXPECT_TRUE(missing ? got.rgb == plain.rgb && samples[0] == '8' : err.empty() && count >= 3 * plainSoft)
            << samples << " samples: " << count << " soft edge pixels, " << plainSoft << " without; said: " << err;
    }
    fs::remove_all(dir);
}

TEST(Capture, BadInputIsRefusedAndWritesNothing)
{
    const fs::path dir = FreshDir("bad");
    fs::create_directories(dir / "readonly");
    fs::permissions(dir / "readonly", fs::perms::owner_read | fs::perms::owner_exec);
    std::ofstream(dir / "afile") << "x";
    const bool root = geteuid() == 0;  // root writes anywhere: the read-only case needs another user
    // Status 2 is a command line to mend, with the usage; 1 a failure of the
    // system's, with its reason and no usage.
    struct Case { std::string args; std::string message; int code = 2; bool terminal = false; };
    std::vector<Case> cases = {
        {"--fast --out x", "unknown option '--fast'"},
        {"--size 100 --out x", "--size needs WxH"},
        {"--size 0x10 --out x", "--size needs WxH"},
        {"--size 8193x100 --out x", "--size needs WxH"},
        {"--size 10x-3 --out x", "--size needs WxH"},
        {"--frames 0 --out x", "--frames needs a positive whole number"},
        {"--every -2 --out x", "--every needs a positive whole number"},
        {"--frames 1.5 --out x", "--frames needs a positive whole number"},
        {"--from 0 --out x", "--from needs a positive whole number"},
        {"--frames 40 --from 41 --out x", "--from 41 comes after the last frame, 40"},
        {"--seed --out x", "--seed needs a whole number"},
        {"--out x --y4m", "give exactly one of --out DIR and --y4m"},
        {"--samples 3 --out x", "--samples needs 2, 4 or 8 samples per pixel, not '3'"},
        {"--frames 3", "give exactly one of --out DIR and --y4m"},
        {"--out", "option --out needs a value"},
        {"--frames 1 --y4m", "--y4m writes a binary video stream: redirect it", 2, true},
        {"--out afile/sub", "cannot create the folder 'afile/sub': Not a directory", 1},
        {"--out afile", "cannot write into 'afile': Not a directory", 1},
    };
    if (!root) cases.push_back({"--out readonly/sub", "cannot create the folder 'readonly/sub': Permission denied", 1});
    const size_t before = FileCount(dir);
    for (const Case& c : cases) {
        const Result r = Capture(c.args, dir, "/dev/null", c.terminal);
        EXPECT_EQ(r.code, c.code) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << " said: " << r.err;
        EXPECT_EQ(r.err.find("usage: norvex-capture") != std::string::npos, c.code == 2) << c.args << " said: " << r.err;
        EXPECT_EQ(FileCount(dir), before) << c.args << " wrote something";
    }
    fs::permissions(dir / "readonly", fs::perms::owner_all);
    fs::remove_all(dir);
}

// The daemons' forms of the shared command line, and --help and --version.
TEST(Capture, HelpVersionAndBothDashForms)
{
    const fs::path dir = FreshDir("forms");
    for (const auto& [args, out] : {std::pair{"--help", "usage: norvex-capture [--seed S]"}, {"-version", "norvex-capture 1."},
                                    {"-seed=7 -size 16x8 --frames=1 -y4m", "YUV4MPEG2 W16 H8 "}}) {
        const Result r = Capture(args, dir, "out.txt");
        EXPECT_EQ(r.code, 0) << args << ": " << r.err;
        EXPECT_EQ(Bytes(dir / "out.txt").rfind(out, 0), 0u) << args;
    }
    fs::remove_all(dir);
}

TEST(Capture, InterruptedRunLeavesOnlyWholePictures)
{
    const fs::path dir = FreshDir("interrupt");
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::chdir(dir.c_str());
        std::freopen("/dev/null", "w", stderr);
        execl(CAPTURE_PATH, CAPTURE_PATH, "--size", "320x240", "--frames", "100000", "--out", "f", nullptr);
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while ((!fs::exists(dir / "f") || FileCount(dir / "f") < 5) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    kill(pid, SIGINT);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    size_t pictures = 0;
    for (const auto& entry : fs::directory_iterator(dir / "f")) {
        Image image;
        EXPECT_EQ(entry.path().extension(), ".png") << entry.path();
        EXPECT_TRUE(ReadPng(entry.path(), image)) << entry.path() << " is not a whole picture";
        ++pictures;
    }
    EXPECT_GE(pictures, 5u);
    fs::remove_all(dir);
}
