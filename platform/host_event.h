// What a host of the saver loop reports before each frame: an X window that a
// saver daemon made (foreign_window.h) or a Wayland layer surface on one
// output (wayland/layer_surface.h). Both hosts give the loop the same shape:
// Poll, Swap, Detach, and width and height in pixels.
#pragma once

namespace plat {

enum class HostEvent {
    Unchanged,     // nothing new: draw the next frame
    Resized,       // width and height hold the new size: draw at it
    CloseRequest,  // SIGINT or SIGTERM
    Dismissed,     // the user pressed a key, moved the pointer, clicked or touched (an idle screen's end)
    Withdrawn,     // the host took the surface back because its output went away: no fault
    Gone,          // the window or the display connection was lost (said on stderr)
};

}  // namespace plat
