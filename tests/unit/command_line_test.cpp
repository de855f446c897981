// The command line as daemons and users type it: both dash forms, "=" and
// separate values, hex and decimal window IDs, every refusal with the words
// that name it, and the window XSCREENSAVER_WINDOW names.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "shell/core/options.h"

namespace {

// norvex's options from a command line split at spaces.
cli::Parsed ParseWords(const char* args, NorvexOptions* options)
{
    std::vector<std::string> words = {"norvex"};
    std::istringstream in(args);
    for (std::string w; in >> w;) words.push_back(w);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    return ParseNorvexOptions(static_cast<int>(words.size()), argv.data(), options);
}

// What a run of norvex gets from its options, in a line that a table can hold.
std::string Settings(const NorvexOptions& o)
{
    const DisplaySettings& d = o.display;
    std::ostringstream out;
    out << "seed=" << (o.seedGiven ? std::to_string(o.seed) : "-") << " cap=" << d.maxFps << " " << d.width << "x"
        << d.height << (d.windowed ? " windowed" : "") << (d.keepDesktopMode ? " desktop" : "") << " samples="
        << d.samples << " scale=" << d.scale << (d.renderer == plat::Renderer::Batched ? " batched" : "");
    return out.str();
}

}  // namespace

TEST(CommandLine, FormsAndRefusals)
{
    using enum cli::Outcome;
    // Arguments, outcome, part of the refusal's message, then the options a run gets.
    const struct { const char* args; cli::Outcome outcome; const char* problem; bool root; uint32_t id; bool fps; } rows[] = {
        {"",                          Run, "", false, 0, false},
        {"-root",                     Run, "", true, 0, false},
        {"--root --fps",              Run, "", true, 0, true},
        {"-window-id 0x1a00007",      Run, "", false, 0x1a00007, false},
        {"--window-id=27262983",      Run, "", false, 27262983, false},
        {"-window-id=0X1A00007 -fps", Run, "", false, 0x1a00007, true},
        {"--window-id 4294967295",    Run, "", false, 0xFFFFFFFFu, false},
        {"-window-i 0xffffffff",      Run, "", false, 0xFFFFFFFFu, false},  // a unique abbreviation
        {"-win 0xffffffff",           Refused, "ambiguous option '-win' (--window-id, --windowed)", false, 0, false},
        {"--help",                    Help, "", false, 0, false},
        {"-version --bogus",          Version, "", false, 0, false},
        {"--window-id",               Refused, "option --window-id needs a value", false, 0, false},
        {"-window-id=",               Refused, "--window-id needs an X window ID, hex", false, 0, false},
        {"--window-id 0x",            Refused, "not '0x'", false, 0, false},
        {"--window-id 0x1g",          Refused, "not '0x1g'", false, 0, false},
        {"--window-id 12abc",         Refused, "not '12abc'", false, 0, false},
        {"--window-id 0",             Refused, "not '0'", false, 0, false},
        {"--window-id 4294967296",    Refused, "not '4294967296'", false, 0, false},
        {"--window-id 0x100000000",   Refused, "not '0x100000000'", false, 0, false},
        // Past 32 bits by one, and past 64: IDs that wrap to 1 in a narrower sum.
        {"--window-id 4294967297",    Refused, "not '4294967297'", false, 0, false},
        {"--window-id 0x100000001",   Refused, "not '0x100000001'", false, 0, false},
        {"--window-id 18446744073709551617", Refused, "not '18446744073709551617'", false, 0, false},
        {"--window-id 0x10000000000000001",  Refused, "not '0x10000000000000001'", false, 0, false},
        {"--root --window-id 5",      Run, "", true, 5, false},  // a settings preview: the window wins
        {"-window-id 0x5 -root",      Run, "", true, 5, false},
        {"--fast",                    Refused, "unknown option '--fast'", false, 0, false},
        {"-rooted",                   Refused, "unknown option '-rooted'", false, 0, false},
        {"-+",                        Refused, "unknown option '-+'", false, 0, false},
        {"--fps=1",                   Refused, "option --fps takes no value", false, 0, false},
        {"--root extra",              Refused, "unexpected argument 'extra'", false, 0, false},
        {"--wallpaper --root",        Refused, "give only one of --root and --wallpaper", false, 0, false},
        {"-overlay -window-id 5",     Refused, "give only one of --window-id and --overlay", false, 0, false},
        {"--overlay --wallpaper",     Refused, "give only one of --wallpaper and --overlay", false, 0, false},
        {"--wallpaper=1",             Refused, "option --wallpaper takes no value", false, 0, false},
        {"--root --windowed",         Refused, "--windowed is for the demo's own window, not for --root or --window-id", false, 0, false},
        {"--size 8x8 --window-id 5",  Refused, "--size is for the demo's own window", false, 0, false},
        {"--no-mode-switch --root",   Refused, "--no-mode-switch is for the demo's own window", false, 0, false},
        {"--scale",                   Refused, "option --scale needs a value", false, 0, false},
        {"--windowed=1",              Refused, "option --windowed takes no value", false, 0, false},
        {"--wallpaper --size 8x8",    Refused, "--size is for the demo's own window, not for --wallpaper or --overlay", false, 0, false},
        {"--frames-to 3 --fps",       Run, "", false, 0, true},
        {"--frames-to -1",            Refused, "--frames-to needs the number of an open socket, not '-1'", false, 0, false},
        {"--frames-to 3 --wallpaper", Refused, "give only one of --wallpaper and --frames-to", false, 0, false},
        {"--overlay --frames-to 3",   Refused, "give only one of --overlay and --frames-to", false, 0, false},
        {"--frames-to 3 --windowed",  Refused, "--windowed is for the demo's own window, not for --frames-to", false, 0, false},
        // Several: the first is named.
        {"--overlay --no-mode-switch --size 8x8 --windowed", Refused, "--no-mode-switch is for the demo's own window", false, 0, false},
        {"--root --windowed --no-mode-switch", Refused, "--windowed is for the demo's own window", false, 0, false},
    };
    for (const auto& r : rows) {
        NorvexOptions options;
        const cli::Parsed parsed = ParseWords(r.args, &options);
        SCOPED_TRACE(r.args);
        EXPECT_EQ(parsed.outcome, r.outcome) << "run, help, version or refusal (0..3)";
        EXPECT_NE(parsed.problem.find(r.problem), std::string::npos) << "the refusal names the mistake: " << parsed.problem;
        EXPECT_EQ(parsed.problem.empty(), r.outcome != Refused) << "a message for refusals only";
        if (r.outcome != Run) continue;  // a refusal may stop part way through the options
        EXPECT_EQ(options.root, r.root) << "--root taken";
        EXPECT_EQ(options.windowId, r.id) << "the window --window-id draws into";
        EXPECT_EQ(options.fps, r.fps) << "--fps taken";
    }

    // The Wayland roles: each alone, or with --fps.
    const struct { const char* args; bool wallpaper, overlay, fps; } roles[] = {
        {"--wallpaper", true, false, false}, {"-overlay -fps", false, true, true}, {"--fps", false, false, true}};
    for (const auto& r : roles) {
        NorvexOptions options;
        EXPECT_EQ(ParseWords(r.args, &options).outcome, Run) << r.args;
        EXPECT_EQ(options.wallpaper, r.wallpaper) << r.args;
        EXPECT_EQ(options.overlay, r.overlay) << r.args;
        EXPECT_EQ(options.fps, r.fps) << r.args;
    }

    // --root's window: XSCREENSAVER_WINDOW in hex or decimal, the root window (0) without it.
    const struct { const char* variable; bool ok; uint32_t id; } saverWindows[] = {{nullptr, true, 0}, {"", true, 0},
        {"0x400008", true, 0x400008}, {"27262983", true, 27262983}, {"bogus", false, 0}, {" 0x400008", false, 0},
        {"4294967297", false, 0}, {"0x100000001", false, 0}, {"18446744073709551617", false, 0}};
    for (const auto& r : saverWindows) {
        uint32_t id = 12345;
        const char* shown = r.variable ? r.variable : "(unset)";
        EXPECT_EQ(RootTarget(r.variable, &id), r.ok) << "XSCREENSAVER_WINDOW=" << shown << ": taken or refused";
        EXPECT_EQ(id, r.ok ? r.id : 0u) << "XSCREENSAVER_WINDOW=" << shown << ": the window --root draws into";
    }
}

// How frames are shown and the pinned flight: what each option sets, the
// defaults, and every bad value of each, refused with the option's name and
// the range it takes.
TEST(CommandLine, DisplayOptions)
{
    const struct { const char* args; const char* settings; } runs[] = {
        {"",                                          "seed=- cap=60 1024x768 samples=0 scale=1"},
        {"--seed 0 --max-fps 0 --scale 1",            "seed=0 cap=0 1024x768 samples=0 scale=1"},
        {"-seed=4294967295 -max-fps=1000 -windowed",  "seed=4294967295 cap=1000 1024x768 windowed samples=0 scale=1"},
        {"--size 1x1 --no-mode-switch --samples 2",   "seed=- cap=60 1x1 desktop samples=2 scale=1"},
        {"--size=8192x8192 --scale 0.25 --samples 8", "seed=- cap=60 8192x8192 samples=8 scale=0.25"},
        {"--root --scale .5 --samples=4 --seed 7",    "seed=7 cap=60 1024x768 samples=4 scale=0.5 batched"},
        {"--wallpaper --max-fps 30 --scale 0.75",     "seed=- cap=30 1024x768 samples=0 scale=0.75 batched"},
        {"--root --renderer fixed",                   "seed=- cap=60 1024x768 samples=0 scale=1"},
        {"--windowed --renderer=batched",             "seed=- cap=60 1024x768 windowed samples=0 scale=1 batched"},
    };
    for (const auto& r : runs) {
        NorvexOptions options;
        EXPECT_EQ(ParseWords(r.args, &options).problem, "") << r.args;
        EXPECT_EQ(Settings(options), r.settings) << r.args;
    }

    // Option, its refusal up to the value, then the values it refuses.
    const struct { const char* option; const char* says; std::vector<const char*> values; } refusals[] = {
        {"--seed", "--seed needs a whole number 0..4294967295", {"-1", "4294967296", "1.5", "x", "1e3", "0x10"}},
        {"--max-fps", "--max-fps needs frames a second, a whole number 0..1000 (0: no cap)",
         {"-1", "1001", "60.5", "abc", "+60"}},
        {"--size", "--size needs WxH with W and H from 1 to 8192",
         {"100", "0x10", "10x0", "8193x100", "100x8193", "10x-3", "x", "10x10x10", "1e3x100", "640X480"}},
        {"--samples", "--samples needs 2, 4 or 8 samples per pixel", {"0", "1", "3", "16", "4.0", "-4", "four"}},
        {"--scale", "--scale needs a share of the window's size from 0.25 to 1",
         {"0.24", "0", "1.01", "2", "-0.5", "nan", "1e-1", "0x1p-2", ".", "0.5.5", "1/2"}},
    };
    for (const auto& r : refusals)
        for (const char* value : r.values) {
            const std::string args = std::string(r.option) + "=" + value;
            NorvexOptions options;
            EXPECT_EQ(ParseWords(args.c_str(), &options).problem, std::string(r.says) + ", not '" + value + "'");
        }

}
