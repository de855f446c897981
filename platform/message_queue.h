// One window's message FIFO: posted requests and translated window-system
// events, taken out in the order they went in. Fixed capacity, no allocation.
#pragma once

#include <cstddef>

#include "platform/messages.h"

namespace plat {

class MessageQueue {
public:
    static constexpr size_t kCapacity = 256;  // messages
    // Slots the window system's events leave free, so that requests posted
    // during a frame always fit.
    static constexpr size_t kKeptForPosts = 16;

    // Appends a message; false (and nothing queued) when the queue is full.
    bool Post(const Message& message);
    // Takes the oldest message; false when the queue is empty.
    bool Take(Message* message);
    size_t Count() const { return count_; }
    size_t Free() const { return kCapacity - count_; }
    // True while an event from the window system may still go in.
    bool RoomForEvents() const { return Free() > kKeptForPosts; }

private:
    Message slots_[kCapacity] = {};
    size_t head_ = 0;   // index of the oldest message
    size_t count_ = 0;
};

}  // namespace plat
