// Command lines of norvex and norvex-capture, parsed the way screen-saver
// daemons and their settings dialogs pass them: "-name" and "--name",
// "--name value" and "--name=value" (glibc's getopt_long_only). Both programs
// also take --help and --version.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>

#include "platform/renderer.h"

namespace cli {

struct Option {
    const char* name;  // without dashes
    bool takesValue;
};

enum class Outcome { Run, Help, Version, Refused };

struct Parsed {
    Outcome outcome = Outcome::Run;
    std::string problem;  // why the command line was refused
};

// Called for each option in the order given: its index in the table and its
// value (null for an option without one). Returns an empty string, or the
// reason the option or its value is refused.
using Take = std::function<std::string(size_t index, const char* value)>;

// Walks argv[1..] against the table. Stops at the first problem: an unknown or
// ambiguous option, a missing or unwanted value, an argument that is no option,
// or whatever `take` refuses. --help and --version end the walk at once.
Parsed Parse(int argc, char* const* argv, std::span<const Option> options, const Take& take);

// Says what a parse that is not Run calls for and returns the exit code:
// --help: the help on stdout, 0; --version: "<program> <version>" on stdout,
// 0; refused: "<program>: <problem>" and the usage line on stderr, 2.
int Report(const Parsed& parsed, const char* program, const char* usage, const char* help);

// Option values, strict: nothing around them, no sign, no exponent.
// A whole decimal number in 0..limit.
bool WholeNumber(const std::string& text, unsigned long long limit, unsigned long long* value);
// "WxH", each a whole number in 1..limit.
bool Size(const std::string& text, int limit, int* width, int* height);
// A decimal fraction ("0.5", ".25", "1") in low..high.
bool Fraction(const std::string& text, double low, double high, double* value);
// "fixed" or "batched".
bool RendererName(const std::string& text, plat::Renderer* renderer);
inline constexpr const char* RENDERER_NEEDED = "--renderer needs fixed or batched";

}  // namespace cli
