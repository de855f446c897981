// The command line as daemons and users type it: both dash forms, "=" and
// separate values, hex and decimal window IDs, every refusal with the words
// that name it, and the window XSCREENSAVER_WINDOW names.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "shell/options.h"
#include "shell/saver.h"

// Parses the words of `args` as norvex's command line.
static cli::Parsed ParseWords(const char* args, NorvexOptions* options)
{
    std::vector<std::string> words = {"norvex"};
    std::istringstream in(args);
    for (std::string w; in >> w;) words.push_back(w);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    return ParseNorvexOptions(static_cast<int>(words.size()), argv.data(), options);
}

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
        {"-win 0xffffffff",           Run, "", false, 0xFFFFFFFFu, false},  // a unique abbreviation
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
