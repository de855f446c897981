// Windows' screen-saver command lines, as the system, Explorer and a user pass
// them, and what each asks for; whatever is not one of the three forms opens
// the settings.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "shell/core/saver_arguments.h"

TEST(SaverArguments, FormsAndStrays)
{
    const struct { const char* args; SaverMode mode; uintptr_t window; } cases[] = {
        {"", SaverMode::Settings, 0},                {"/s", SaverMode::FullScreen, 0},
        {"/S", SaverMode::FullScreen, 0},            {"-s", SaverMode::FullScreen, 0},
        {"/p 1234", SaverMode::Preview, 1234},       {"/p:1234", SaverMode::Preview, 1234},
        {"/P 18446744073709551615", SaverMode::Preview, UINTPTR_MAX},
        {"/c", SaverMode::Settings, 0},              {"/c:4567", SaverMode::Settings, 4567},
        {"/C 4567", SaverMode::Settings, 4567},      {"/c:0x12", SaverMode::Settings, 0},
        // Strays: settings, and never a preview into a window not named right.
        {"/p", SaverMode::Settings, 0},              {"/p 0", SaverMode::Settings, 0},
        {"/p -5", SaverMode::Settings, 0},           {"/p 12a", SaverMode::Settings, 0},
        {"/p 18446744073709551616", SaverMode::Settings, 0},
        {"/p:12 34", SaverMode::Settings, 0},        {"/p 12 34", SaverMode::Settings, 0},
        {"/s 12", SaverMode::Settings, 0},           {"/s:", SaverMode::Settings, 0},
        {"/start", SaverMode::Settings, 0},          {"s", SaverMode::Settings, 0},
        {"/", SaverMode::Settings, 0},               {"/a 1234", SaverMode::Settings, 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words = {"norvex.scr"};
        std::istringstream in(c.args);
        for (std::string w; in >> w;) words.push_back(w);
        std::vector<const char*> argv;
        for (const std::string& w : words) argv.push_back(w.c_str());
        const SaverCommand command = ParseSaverArguments(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(command.mode, c.mode) << c.args;
        EXPECT_EQ(command.window, c.window) << c.args;
    }
}
