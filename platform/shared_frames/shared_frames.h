// The saver loop's host for a program that shows norvex's frames itself (the
// desktop's wallpaper plugin): an offscreen OpenGL context at the size it asks
// for, each frame read back into a slot of shared memory and announced on the
// socket it handed over (frames_protocol.h). It draws only while the other side
// wants frames and has a slot free, so a hidden or paused picture costs nothing.
#pragma once

#include <cstdint>

#include "platform/host_event.h"
#include "platform/offscreen/offscreen.h"
#include "platform/shared_frames/frames_protocol.h"

namespace plat {

class SharedFrames {
public:
    SharedFrames() = default;
    ~SharedFrames() { Detach(); }
    SharedFrames(const SharedFrames&) = delete;
    SharedFrames& operator=(const SharedFrames&) = delete;

    // Takes the socket, waits for the first size, makes the context and the
    // first buffer, the context for the renderer asked for (fixed where no ES
    // 3 context can be had, said once). False when it cannot: `closed` is set
    // when the other side ended the run meanwhile (no fault, nothing said),
    // otherwise the reason is on stderr.
    bool Attach(int socket, Renderer renderer);
    // Waits in poll(), never spinning, until a frame may be drawn: not paused
    // and a slot free. CloseRequest (a stop signal), Withdrawn (the other side
    // closed the socket), Gone (a fault, said on stderr); Resized when the size
    // asked for changed since the last call.
    HostEvent Poll();
    // Waits for at most this many milliseconds, handling what arrives.
    void Wait(uint32_t milliseconds);
    // Reads the frame into a free slot and announces it.
    void Swap();
    // Releases the context, the buffer and the socket.
    void Detach();

    int width = 0;   // pixels of the frames drawn now
    int height = 0;
    bool closed = false;  // the other side closed the socket

private:
    bool Receive();                 // handles every message waiting; false on a fault
    bool WaitForMessage(int timeoutMs);
    bool NewBuffer();               // a buffer at the size asked for, sent over
    void Announce(const frames::Message& message, int fd);  // sends, or notes why not
    int FreeSlot() const;           // -1 when the other side holds every slot

    int socket_ = -1;
    OffscreenGL gl_;
    uint8_t* pixels_ = nullptr;     // the buffer's mapping
    uint64_t bytes_ = 0;            // its length
    frames::Message buffer_ = {};   // the buffer in use, as announced (serial 0: none yet)
    bool held_[frames::SLOTS] = {}; // announced and not yet released
    uint32_t wantedWidth_ = 0, wantedHeight_ = 0;
    bool paused_ = false;
    bool faulty_ = false;           // a fault was said: Poll reports Gone
};

}  // namespace plat
