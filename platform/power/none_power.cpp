// Where there is no power source to read (the page): always on mains.
#include "platform/power/power_source.h"

namespace plat::power {

bool OnBattery(const char*) { return false; }

Reading Watch::Read() { return {}; }

Watch::~Watch() = default;

}  // namespace plat::power
