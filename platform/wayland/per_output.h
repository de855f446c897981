// The layer roles' first process: it checks that the compositor has the
// layer shell, watches its outputs, and runs one child process per output
// that draws there with a connection of its own. The scene's pools are
// process globals, so one process flies one camera; an output that appears
// gets a child, one that goes away has its child ended and collected.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/host_event.h"
#include "platform/wayland/layer_surface.h"

namespace plat {

inline constexpr int MAX_OUTPUTS = 16;               // outputs drawn at the same time
inline constexpr uint32_t CHILD_STOP_WAIT_MS = 700;  // ms a child has to end on SIGTERM before SIGKILL

// What a child runs for its output: attach, draw until the end, detach.
// Returns the event that ended it.
using OutputMain = std::function<HostEvent(uint32_t outputName, LayerRole role)>;

// Runs `draw` in a child process for each output, now and to come; returns
// the run's exit code once the children are ended and collected: 0 when an
// overlay child was dismissed by input, 1 when there is no compositor or no
// layer shell (said on stderr), when the connection is lost or when a child
// fails. SIGINT and SIGTERM end the children, then this process by the same
// signal.
int RunPerOutput(LayerRole role, const OutputMain& draw);

}  // namespace plat
