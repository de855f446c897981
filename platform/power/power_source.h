// What the frame-rate cap follows: whether the machine runs on battery, and
// whether its user has chosen the power-saver profile. A portable contract;
// linux_power.cpp reads the kernel's power supplies and asks
// power-profiles-daemon, none_power.cpp (where there is neither) always says
// mains. Reading never blocks the loop that asks.
#pragma once

namespace plat::power {

struct Reading {
    bool onBattery = false;   // running on a battery, no outside supply online
    bool powerSaver = false;  // the active power profile is the power saver
};

class Watch {
public:
    Watch() = default;
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    // The source as it is now. The power profile comes by a question sent
    // with one reading and answered by the next; there is none until then.
    Reading Read();

private:
    // Linux's alone: where none_power.cpp stands in, nothing reads them.
    [[maybe_unused]] void* bus_ = nullptr;   // the system bus, where power-profiles-daemon is asked
    [[maybe_unused]] bool busTried_ = false; // connecting was tried (once per Watch: it may block)
    [[maybe_unused]] unsigned asked_ = 0;    // serial of the question waiting for its answer; 0: none
    [[maybe_unused]] bool powerSaver_ = false;
};

// Whether the power supplies listed in `folder` (the kernel's is
// /sys/class/power_supply) say "on battery": no outside supply (Mains, USB,
// ...) online, and a Mains supply offline or a system battery discharging.
// Batteries of devices (a mouse's) do not count.
bool OnBattery(const char* folder);

inline constexpr const char* POWER_SUPPLY_FOLDER = "/sys/class/power_supply";

}  // namespace plat::power
