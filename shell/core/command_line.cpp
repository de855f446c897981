// The shared command-line walk over getopt_long_only, with messages that name
// the option as it was typed.
#include "shell/core/command_line.h"

#include <getopt.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifndef NORVEX_VERSION
#error "NORVEX_VERSION comes from the build (the project's version)"
#endif

namespace cli {
namespace {

// getopt reports option i of the table as kFirstCode + i: above every
// character, so that a stray short option ("-+") cannot pass for one of ours.
constexpr int kFirstCode = 0x100;

// The word as typed, without any "=value".
std::string Typed(const char* argument)
{
    const char* equals = std::strchr(argument, '=');
    return equals ? std::string(argument, equals) : std::string(argument);
}

// The table's options that the typed word abbreviates, as "--a, --b".
std::string Candidates(const std::string& typed, std::span<const Option> options)
{
    const size_t dashes = typed.compare(0, 2, "--") == 0 ? 2 : 1;
    const std::string stem = typed.substr(dashes);
    std::string names;
    for (const Option& o : options) {
        if (stem.empty() || std::strncmp(o.name, stem.c_str(), stem.size()) != 0) continue;
        names += (names.empty() ? "--" : ", --") + std::string(o.name);
    }
    return names;
}

}  // namespace

Parsed Parse(int argc, char* const* argv, std::span<const Option> options, const Take& take)
{
    std::vector<Option> all(options.begin(), options.end());
    all.push_back({"help", false});
    all.push_back({"version", false});
    const size_t help = all.size() - 2, version = all.size() - 1;

    std::vector<option> table;
    for (size_t i = 0; i < all.size(); ++i)
        table.push_back({all[i].name, all[i].takesValue ? required_argument : no_argument, nullptr,
                         kFirstCode + static_cast<int>(i)});
    table.push_back({nullptr, 0, nullptr, 0});

    // "+": stop at the first argument that is no option; ":": report a missing
    // value apart from other mistakes. No short options, so "-fps" is --fps.
    optind = 0;  // a fresh walk, whatever an earlier one left behind
    opterr = 0;
    for (;;) {
        const int at = optind > 0 ? optind : 1;  // every option is one word: the one read now
        const int code = getopt_long_only(argc, argv, "+:", table.data(), nullptr);
        if (code == -1) break;
        const std::string typed = Typed(argv[at]);
        if (code == ':') return {Outcome::Refused, "option " + typed + " needs a value"};
        if (code < kFirstCode) {
            if (code == '?' && optopt >= kFirstCode)
                return {Outcome::Refused, "option " + typed + " takes no value"};
            const std::string candidates = Candidates(typed, all);
            if (candidates.find(',') != std::string::npos)
                return {Outcome::Refused, "ambiguous option '" + typed + "' (" + candidates + ")"};
            return {Outcome::Refused, "unknown option '" + typed + "'"};
        }
        const size_t index = static_cast<size_t>(code - kFirstCode);
        if (index == help) return {Outcome::Help, {}};
        if (index == version) return {Outcome::Version, {}};
        std::string problem = take(index, all[index].takesValue ? optarg : nullptr);
        if (!problem.empty()) return {Outcome::Refused, std::move(problem)};
    }
    if (optind < argc) return {Outcome::Refused, "unexpected argument '" + std::string(argv[optind]) + "'"};
    return {};
}

int Report(const Parsed& parsed, const char* program, const char* usage, const char* help)
{
    switch (parsed.outcome) {
    case Outcome::Help: std::printf("%s\n%s", usage, help); return 0;
    case Outcome::Version: std::printf("%s %s\n", program, NORVEX_VERSION); return 0;
    case Outcome::Refused:
        std::fprintf(stderr, "%s: %s\n%s\n", program, parsed.problem.c_str(), usage);
        return 2;
    case Outcome::Run: break;
    }
    return 0;
}

bool WholeNumber(const std::string& text, unsigned long long limit, unsigned long long* value)
{
    if (text.empty() || text.size() > 12) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    *value = std::strtoull(text.c_str(), nullptr, 10);
    return *value <= limit;
}

bool Size(const std::string& text, int limit, int* width, int* height)
{
    const size_t x = text.find('x');
    unsigned long long w = 0, h = 0;
    const auto limitValue = static_cast<unsigned long long>(limit);
    if (x == std::string::npos || !WholeNumber(text.substr(0, x), limitValue, &w) ||
        !WholeNumber(text.substr(x + 1), limitValue, &h) || w == 0 || h == 0)
        return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

bool Fraction(const std::string& text, double low, double high, double* value)
{
    size_t digits = 0, points = 0;
    for (char c : text) {
        if (c == '.') ++points;
        else if (c >= '0' && c <= '9') ++digits;
        else return false;
    }
    if (digits == 0 || digits > 12 || points > 1) return false;
    *value = std::strtod(text.c_str(), nullptr);
    return *value >= low && *value <= high;
}

bool RendererName(const std::string& text, plat::Renderer* renderer)
{
    if (text != "fixed" && text != "batched") return false;
    *renderer = text == "fixed" ? plat::Renderer::Fixed : plat::Renderer::Batched;
    return true;
}

}  // namespace cli
