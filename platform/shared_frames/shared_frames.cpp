// The shared-frames host on a socket, a sealed memory file and an offscreen
// EGL context. All waiting is one poll() on the socket and the signal wake-up;
// a message out of place, a size out of range or a failed system call is said
// once on stderr and ends the run, since the other side is then not ours.
#include "platform/shared_frames/shared_frames.h"

#include <GL/gl.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/gl11_route/route.h"
#include "platform/quit_signals.h"

namespace plat {
namespace {

// Sends one message, with a descriptor attached when `fd` is not -1; false
// with errno set when it cannot be sent now.
bool Send(int socket, const frames::Message& message, int fd)
{
    iovec part = {const_cast<frames::Message*>(&message), sizeof message};
    msghdr header = {};
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    if (fd >= 0) {
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        cmsghdr* rights = CMSG_FIRSTHDR(&header);
        rights->cmsg_level = SOL_SOCKET;
        rights->cmsg_type = SCM_RIGHTS;
        rights->cmsg_len = CMSG_LEN(sizeof(int));
        std::memcpy(CMSG_DATA(rights), &fd, sizeof fd);
    }
    return sendmsg(socket, &header, MSG_NOSIGNAL | MSG_DONTWAIT) == static_cast<ssize_t>(sizeof message);
}

bool SizeInRange(uint32_t width, uint32_t height)
{
    return width >= 1 && height >= 1 && width <= frames::MAX_EDGE && height <= frames::MAX_EDGE;
}

}  // namespace

bool SharedFrames::Attach(int socket, Renderer renderer)
{
    quit::Catch();  // first: the plugin may stop us while we start
    int type = 0;
    socklen_t length = sizeof type;
    if (getsockopt(socket, SOL_SOCKET, SO_TYPE, &type, &length) != 0 || type != SOCK_SEQPACKET) {
        std::fprintf(stderr, "norvex: --frames-to %d names no socket for frames (%s)\n", socket,
                     type ? "not a packet socket" : std::strerror(errno));
        return false;
    }
    fcntl(socket, F_SETFD, FD_CLOEXEC);
    socket_ = socket;
    while (wantedWidth_ == 0) {
        if (quit::Caught() || !Receive() || closed) return false;
        if (wantedWidth_ == 0 && !WaitForMessage(-1)) return false;
    }
    width = static_cast<int>(wantedWidth_);
    height = static_cast<int>(wantedHeight_);
    if (!gl_.Open(width, height, renderer)) {
        std::fprintf(stderr, "norvex: --frames-to: %s\n", gl_.error().c_str());
        return false;
    }
    if (!gl_.fallback().empty()) gl11route::SayFixed("norvex", gl_.fallback().c_str());
    return NewBuffer();
}

bool SharedFrames::Receive()
{
    for (;;) {
        frames::Message message = {};
        const ssize_t got = recv(socket_, &message, sizeof message, MSG_DONTWAIT);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) return true;
        if (got == 0 || (got < 0 && (errno == ECONNRESET || errno == EPIPE))) {
            closed = true;
            return true;
        }
        if (got != static_cast<ssize_t>(sizeof message)) {
            std::fprintf(stderr, "norvex: --frames-to: %s\n",
                         got < 0 ? std::strerror(errno) : "a message of the wrong length");
            faulty_ = true;
            return false;
        }
        switch (message.kind) {
        case frames::Kind::Size:
            if (!SizeInRange(message.width, message.height)) {
                std::fprintf(stderr, "norvex: --frames-to: a frame of %ux%u pixels, not 1..%u either way\n",
                             message.width, message.height, frames::MAX_EDGE);
                faulty_ = true;
                return false;
            }
            wantedWidth_ = message.width;
            wantedHeight_ = message.height;
            break;
        case frames::Kind::Pause: paused_ = true; break;
        case frames::Kind::Resume: paused_ = false; break;
        case frames::Kind::Release:
            // A slot of an earlier buffer is nothing to us any more.
            if (message.serial == buffer_.serial && message.slot < frames::SLOTS) held_[message.slot] = false;
            break;
        default:
            std::fprintf(stderr, "norvex: --frames-to: an unknown message (%u)\n",
                         static_cast<unsigned>(message.kind));
            faulty_ = true;
            return false;
        }
    }
}

bool SharedFrames::WaitForMessage(int timeoutMs)
{
    pollfd ready[2] = {{socket_, POLLIN, 0}, {quit::WakeFd(), POLLIN, 0}};
    if (poll(ready, 2, timeoutMs) < 0 && errno != EINTR) {
        std::fprintf(stderr, "norvex: --frames-to: poll failed: %s\n", std::strerror(errno));
        faulty_ = true;
        return false;
    }
    if (ready[1].revents & POLLIN) quit::DrainWake();
    return true;
}

bool SharedFrames::NewBuffer()
{
    if (pixels_) munmap(pixels_, bytes_);
    pixels_ = nullptr;
    frames::Message buffer = {frames::Kind::Buffer, 0, static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                              static_cast<uint32_t>(width) * frames::BYTES_PER_PIXEL, buffer_.serial + 1};
    bytes_ = frames::SlotOffset(buffer, frames::SLOTS);
    // Sealed against shrinking: the other side maps it, and a file cut short
    // under a mapping kills the reader with SIGBUS.
    const int fd = memfd_create("norvex-frames", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    void* mapping = MAP_FAILED;
    if (fd >= 0 && ftruncate(fd, static_cast<off_t>(bytes_)) == 0 &&
        fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL) == 0)
        mapping = mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapping == MAP_FAILED) {
        std::fprintf(stderr, "norvex: --frames-to: no shared memory for %dx%d frames: %s\n", width, height,
                     std::strerror(errno));
        if (fd >= 0) close(fd);
        faulty_ = true;
        return false;
    }
    pixels_ = static_cast<uint8_t*>(mapping);
    buffer_ = buffer;
    for (bool& held : held_) held = false;
    Announce(buffer, fd);
    close(fd);  // the mapping keeps it
    return !faulty_;
}

void SharedFrames::Announce(const frames::Message& message, int fd)
{
    if (Send(socket_, message, fd)) return;
    if (errno == EPIPE || errno == ECONNRESET) {
        closed = true;
        return;
    }
    // A full queue: the other side has stopped reading, and a frame it never
    // hears of would hold its slot for ever.
    std::fprintf(stderr, "norvex: --frames-to: cannot send: %s\n", std::strerror(errno));
    faulty_ = true;
}

int SharedFrames::FreeSlot() const
{
    for (uint32_t slot = 0; slot < frames::SLOTS; ++slot)
        if (!held_[slot]) return static_cast<int>(slot);
    return -1;
}

HostEvent SharedFrames::Poll()
{
    if (socket_ < 0 || faulty_) return HostEvent::Gone;
    bool resized = false;
    for (;;) {
        if (quit::Caught()) return HostEvent::CloseRequest;
        if (!Receive()) return HostEvent::Gone;
        if (closed) return HostEvent::Withdrawn;
        if (wantedWidth_ != static_cast<uint32_t>(width) || wantedHeight_ != static_cast<uint32_t>(height)) {
            width = static_cast<int>(wantedWidth_);
            height = static_cast<int>(wantedHeight_);
            if (!gl_.Resize(width, height)) {
                std::fprintf(stderr, "norvex: --frames-to: %s\n", gl_.error().c_str());
                faulty_ = true;
            }
            if (faulty_ || !NewBuffer()) return HostEvent::Gone;
            resized = true;
        }
        if (!paused_ && FreeSlot() >= 0) return resized ? HostEvent::Resized : HostEvent::Unchanged;
        if (!WaitForMessage(-1)) return HostEvent::Gone;
    }
}

void SharedFrames::Wait(uint32_t milliseconds)
{
    if (socket_ < 0 || faulty_ || closed || quit::Caught()) return;
    if (WaitForMessage(static_cast<int>(milliseconds))) Receive();
}

void SharedFrames::Swap()
{
    const int slot = FreeSlot();
    if (socket_ < 0 || pixels_ == nullptr || slot < 0) return;
    gl11route::Flush();  // the layer's last batch, before the picture is read
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels_ + frames::SlotOffset(buffer_, slot));
    held_[slot] = true;
    Announce({frames::Kind::Frame, static_cast<uint32_t>(slot), 0, 0, 0, buffer_.serial}, -1);
}

void SharedFrames::Detach()
{
    gl_.Close();
    if (pixels_) munmap(pixels_, bytes_);
    pixels_ = nullptr;
    if (socket_ >= 0) close(socket_);
    socket_ = -1;
}

}  // namespace plat
