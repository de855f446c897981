// The per-window message FIFO: a ring over a fixed array.
#include "platform/message_queue.h"

namespace plat {

bool MessageQueue::Post(const Message& message)
{
    if (count_ == kCapacity) return false;
    slots_[(head_ + count_) % kCapacity] = message;
    ++count_;
    return true;
}

bool MessageQueue::Take(Message* message)
{
    if (count_ == 0) return false;
    *message = slots_[head_];
    head_ = (head_ + 1) % kCapacity;
    --count_;
    return true;
}

}  // namespace plat
