// The power source on Linux: the kernel's power supplies in sysfs, read
// afresh each time (a few small files), and power-profiles-daemon's
// ActiveProfile property on the system bus, asked without waiting: each
// reading collects the answer to the question the one before it sent. No
// system bus, or no daemon on it, is no error: no power-saver profile then.
#include <dbus/dbus.h>
#include <dirent.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/power/power_source.h"

namespace plat::power {
namespace {

constexpr const char* kProfilesService = "net.hadess.PowerProfiles";
constexpr const char* kProfilesPath = "/net/hadess/PowerProfiles";
constexpr const char* kSaverProfile = "power-saver";

// The first line of folder/entry/name, empty where there is none.
std::string Attribute(const char* folder, const char* entry, const char* name)
{
    const std::string path = std::string(folder) + "/" + entry + "/" + name;
    char line[64] = {};
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (f == nullptr) return {};
    if (std::fgets(line, sizeof line, f) == nullptr) line[0] = '\0';
    std::fclose(f);
    line[std::strcspn(line, "\n")] = '\0';
    return line;
}

DBusConnection* Bus(void* bus) { return static_cast<DBusConnection*>(bus); }

// The profile's name from an answer to Properties.Get; empty for an error.
std::string ProfileIn(DBusMessage* answer)
{
    DBusMessageIter it, variant;
    const char* name = nullptr;
    if (dbus_message_get_type(answer) != DBUS_MESSAGE_TYPE_METHOD_RETURN || !dbus_message_iter_init(answer, &it) ||
        dbus_message_iter_get_arg_type(&it) != DBUS_TYPE_VARIANT)
        return {};
    dbus_message_iter_recurse(&it, &variant);
    if (dbus_message_iter_get_arg_type(&variant) != DBUS_TYPE_STRING) return {};
    dbus_message_iter_get_basic(&variant, &name);
    return name ? name : "";
}

}  // namespace

bool OnBattery(const char* folder)
{
    DIR* dir = opendir(folder);
    if (dir == nullptr) return false;  // no supplies listed: a desktop on mains
    bool outsideOnline = false, mainsOffline = false, discharging = false;
    while (const dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        const std::string type = Attribute(folder, e->d_name, "type");
        if (type.empty() || Attribute(folder, e->d_name, "scope") == "Device") continue;
        if (type == "Battery") {
            discharging |= Attribute(folder, e->d_name, "status") == "Discharging";
            continue;
        }
        const std::string online = Attribute(folder, e->d_name, "online");
        outsideOnline |= online == "1";
        mainsOffline |= type == "Mains" && online == "0";
    }
    closedir(dir);
    return !outsideOnline && (mainsOffline || discharging);
}

Reading Watch::Read()
{
    Reading reading;
    reading.onBattery = OnBattery(POWER_SUPPLY_FOLDER);
    if (bus_ == nullptr && !busTried_) {
        busTried_ = true;
        DBusError error;
        dbus_error_init(&error);
        if (DBusConnection* bus = dbus_bus_get_private(DBUS_BUS_SYSTEM, &error)) {
            dbus_connection_set_exit_on_disconnect(bus, FALSE);  // a bus going away ends nothing here
            bus_ = bus;
        }
        dbus_error_free(&error);
    }
    DBusConnection* bus = Bus(bus_);
    if (bus == nullptr) return reading;
    dbus_connection_read_write(bus, 0);
    while (DBusMessage* message = dbus_connection_pop_message(bus)) {
        if (asked_ != 0 && dbus_message_get_reply_serial(message) == asked_) {
            powerSaver_ = ProfileIn(message) == kSaverProfile;
            asked_ = 0;
        }
        dbus_message_unref(message);
    }
    if (!dbus_connection_get_is_connected(bus)) {
        dbus_connection_close(bus);
        dbus_connection_unref(bus);
        bus_ = nullptr;
        powerSaver_ = false;
        return reading;
    }
    // The next question: the answer is read with the next reading.
    DBusMessage* question = dbus_message_new_method_call(kProfilesService, kProfilesPath,
                                                         "org.freedesktop.DBus.Properties", "Get");
    const char* interface = kProfilesService;
    const char* property = "ActiveProfile";
    dbus_uint32_t serial = 0;
    if (question && dbus_message_append_args(question, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &property,
                                             DBUS_TYPE_INVALID) &&
        dbus_connection_send(bus, question, &serial)) {
        asked_ = serial;
        dbus_connection_flush(bus);
    }
    if (question) dbus_message_unref(question);
    reading.powerSaver = powerSaver_;
    return reading;
}

Watch::~Watch()
{
    if (DBusConnection* bus = Bus(bus_)) {
        dbus_connection_close(bus);
        dbus_connection_unref(bus);
    }
}

}  // namespace plat::power
