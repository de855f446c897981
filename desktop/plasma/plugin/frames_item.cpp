// The item's life: a renderer once it has a window and a size, the size and
// the pause sent as they change, frames mapped and shown, a restart after a
// death (1 s, doubling up to a minute while the renderer keeps dying early),
// and the renderer let go when the item goes (the wallpaper switched away).
#include "frames_item.h"

#include <QDateTime>
#include <QQuickWindow>
#include <QSGSimpleTextureNode>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "frame_texture.h"
#include "renderer_process.h"

namespace frames = plat::frames;

namespace {

// Where the renderer is looked for when it is not on the PATH.
#ifndef NORVEX_INSTALLED_PROGRAM
#define NORVEX_INSTALLED_PROGRAM "/usr/bin/norvex"
#endif

class FrameNode : public QSGSimpleTextureNode {
public:
    FrameTexture frame;  // deleted with the node, on the render thread
};

int g_startedRenderers = 0;  // in this plasmashell: each new flight gets a seed of its own

QString DescribeEnd(int status)
{
    if (WIFSIGNALED(status)) return QStringLiteral("was killed by signal %1").arg(WTERMSIG(status));
    return QStringLiteral("ended with status %1").arg(WEXITSTATUS(status));
}

}  // namespace

FramesItem::FramesItem(QQuickItem* parent) : QQuickItem(parent)
{
    setFlag(ItemHasContents);
    restart_.setSingleShot(true);
    connect(&restart_, &QTimer::timeout, this, &FramesItem::Start);
    connect(this, &QQuickItem::widthChanged, this, &FramesItem::SendSize);
    connect(this, &QQuickItem::heightChanged, this, &FramesItem::SendSize);
}

FramesItem::~FramesItem()
{
    if (watched_) watched_->removeEventFilter(this);
    Stop();
}

void FramesItem::setMaxFps(int value)
{
    if (value == maxFps) return;
    maxFps = value;
    Restart();
}

void FramesItem::setSamples(int value)
{
    if (value == samples) return;
    samples = value;
    Restart();
}

void FramesItem::setSeed(int value)
{
    if (value == seed) return;
    seed = value;
    Restart();
}

void FramesItem::setRenderScale(qreal value)
{
    if (qFuzzyCompare(value, renderScale)) return;
    renderScale = value;
    Q_EMIT settingsChanged();
    SendSize();
}

void FramesItem::setRunning(bool value)
{
    if (value == running) return;
    running = value;
    Q_EMIT settingsChanged();
    SendPause();
}

QStringList FramesItem::RendererArguments() const
{
    QStringList arguments = {QStringLiteral("--frames-to"), QString::number(RendererProcess::SOCKET_FD),
                             QStringLiteral("--max-fps"), QString::number(std::clamp(maxFps, 0, 1000))};
    if (samples == 2 || samples == 4 || samples == 8) arguments << QStringLiteral("--samples") << QString::number(samples);
    // Unpinned, every screen's renderer flies a flight of its own.
    const qint64 flight = seed >= 0 ? seed : QDateTime::currentSecsSinceEpoch() + g_startedRenderers;
    arguments << QStringLiteral("--seed") << QString::number(static_cast<quint32>(flight));
    return arguments;
}

void FramesItem::componentComplete()
{
    QQuickItem::componentComplete();
    Start();
}

void FramesItem::Start()
{
    if (renderer_ || !isComponentComplete() || !window() || width() < 1 || height() < 1) return;
    restart_.stop();
    QString program = QStandardPaths::findExecutable(QStringLiteral("norvex"));
    if (program.isEmpty()) program = QStringLiteral(NORVEX_INSTALLED_PROGRAM);
    renderer_ = new RendererProcess;
    renderer_->setParent(this);
    QString why;
    if (!renderer_->Start(program, RendererArguments(), &why)) {
        qWarning("norvex wallpaper: %s", qPrintable(why));
        delete renderer_;
        renderer_ = nullptr;
        restart_.start(restartDelayMs_);
        restartDelayMs_ = std::min(restartDelayMs_ * 2, MAX_RESTART_MS);
        return;
    }
    ++g_startedRenderers;
    connect(renderer_, &RendererProcess::ended, this, &FramesItem::RendererEnded);
    messages_ = new QSocketNotifier(renderer_->socket, QSocketNotifier::Read, this);
    connect(messages_, &QSocketNotifier::activated, this, &FramesItem::ReadMessages);
    SendSize();
    SendPause();
}

void FramesItem::Restart()
{
    Q_EMIT settingsChanged();
    if (!renderer_) return;
    Stop();
    // Settings arrive one by one: one new renderer for all of them.
    QMetaObject::invokeMethod(this, &FramesItem::Start, Qt::QueuedConnection);
}

void FramesItem::Stop()
{
    delete messages_;
    messages_ = nullptr;
    if (renderer_) renderer_->Release();
    renderer_ = nullptr;
    if (pixels_) munmap(const_cast<unsigned char*>(pixels_), bytes_);
    pixels_ = nullptr;
    buffer_ = {};
    pendingCount_ = 0;
    sentSize_ = {};
    sentPause_ = -1;
}

void FramesItem::Died(const QString& why)
{
    const qint64 lived = renderer_ ? renderer_->age.elapsed() : 0;
    if (lived >= HEALTHY_RUN_MS) restartDelayMs_ = FIRST_RESTART_MS;
    qWarning("norvex wallpaper: the renderer %s after %lld s; starting another in %d s", qPrintable(why), lived / 1000,
             restartDelayMs_ / 1000);
    Stop();
    restart_.start(restartDelayMs_);
    restartDelayMs_ = std::min(restartDelayMs_ * 2, MAX_RESTART_MS);
}

void FramesItem::RendererEnded(int status) { Died(DescribeEnd(status)); }

void FramesItem::Fault(const char* what) { Died(QStringLiteral("sent %1").arg(QLatin1String(what))); }

void FramesItem::Send(frames::Kind kind, uint32_t slot, uint32_t width, uint32_t height)
{
    if (!renderer_ || renderer_->socket < 0) return;
    const frames::Message message = {kind, slot, width, height, 0, buffer_.serial};
    send(renderer_->socket, &message, sizeof message, MSG_NOSIGNAL | MSG_DONTWAIT);
}

void FramesItem::SendSize()
{
    if (!renderer_) {
        Start();
        return;
    }
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const qreal scale = std::clamp(renderScale, 0.25, 1.0) * ratio;
    const auto edge = [scale](qreal points) {
        return std::clamp(qRound(points * scale), 1, static_cast<int>(frames::MAX_EDGE));
    };
    const QSize size(edge(width()), edge(height()));
    if (size == sentSize_) return;
    sentSize_ = size;
    Send(frames::Kind::Size, 0, static_cast<uint32_t>(size.width()), static_cast<uint32_t>(size.height()));
}

void FramesItem::SendPause()
{
    const int paused = !running || !isVisible() || !window() || !window()->isExposed() ? 1 : 0;
    if (paused == sentPause_ || !renderer_) return;
    sentPause_ = paused;
    Send(paused ? frames::Kind::Pause : frames::Kind::Resume);
}

void FramesItem::ReadMessages()
{
    while (renderer_ && messages_) {
        frames::Message message = {};
        iovec part = {&message, sizeof message};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * 4)];
        msghdr header = {};
        header.msg_iov = &part;
        header.msg_iovlen = 1;
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        const ssize_t got = recvmsg(renderer_->socket, &header, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) return;
        int fd = -1;  // the first descriptor attached; any others are closed unread
        for (cmsghdr* c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c)) {
            if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS) continue;
            const size_t count = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
            for (size_t i = 0; i < count; ++i) {
                int received;
                std::memcpy(&received, CMSG_DATA(c) + i * sizeof(int), sizeof received);
                if (fd < 0) fd = received;
                else close(received);
            }
        }
        if (got <= 0) {  // the renderer closed its end: it is ending
            if (fd >= 0) close(fd);
            messages_->setEnabled(false);
            return;
        }
        const bool whole = got == static_cast<ssize_t>(sizeof message) && !(header.msg_flags & (MSG_TRUNC | MSG_CTRUNC));
        if (whole && message.kind == frames::Kind::Buffer && fd >= 0) {
            const bool mapped = MapBuffer(message, fd);
            close(fd);
            if (!mapped) return Fault("a buffer that cannot be used");
            continue;
        }
        if (fd >= 0) close(fd);
        const bool known = message.slot < frames::SLOTS && message.serial == buffer_.serial && pixels_ &&
                           std::find(pending_, pending_ + pendingCount_, message.slot) == pending_ + pendingCount_;
        if (!whole || message.kind != frames::Kind::Frame || !known) return Fault("a message out of place");
        pending_[pendingCount_++] = message.slot;
        update();
    }
}

bool FramesItem::MapBuffer(const frames::Message& buffer, int fd)
{
    // Only a sealed file of the announced size may be mapped: one cut short
    // under the mapping would kill plasmashell with SIGBUS when it is read.
    struct stat file = {};
    const bool sizes = buffer.width >= 1 && buffer.height >= 1 && buffer.width <= frames::MAX_EDGE &&
                       buffer.height <= frames::MAX_EDGE && buffer.stride == buffer.width * frames::BYTES_PER_PIXEL &&
                       buffer.serial == buffer_.serial + 1;
    const uint64_t bytes = frames::SlotOffset(buffer, frames::SLOTS);
    const int seals = fcntl(fd, F_GET_SEALS);
    if (!sizes || fstat(fd, &file) != 0 || static_cast<uint64_t>(file.st_size) < bytes || seals < 0 ||
        !(seals & F_SEAL_SHRINK))
        return false;
    void* mapping = mmap(nullptr, bytes, PROT_READ, MAP_SHARED, fd, 0);
    if (mapping == MAP_FAILED) return false;
    if (pixels_) munmap(const_cast<unsigned char*>(pixels_), bytes_);
    pixels_ = static_cast<const unsigned char*>(mapping);
    bytes_ = bytes;
    buffer_ = buffer;
    pendingCount_ = 0;  // the frames of the old buffer are gone with it
    return true;
}

QSGNode* FramesItem::updatePaintNode(QSGNode* old, UpdatePaintNodeData*)
{
    auto* node = static_cast<FrameNode*>(old);
    if (pendingCount_ > 0 && pixels_) {
        if (!node) {
            node = new FrameNode;
            node->setOwnsTexture(false);
            node->setFiltering(QSGTexture::Linear);
            node->setTextureCoordinatesTransform(QSGSimpleTextureNode::MirrorVertically);  // rows bottom-up
        }
        const uint32_t newest = pending_[pendingCount_ - 1];
        const QSize size(static_cast<int>(buffer_.width), static_cast<int>(buffer_.height));
        if (QSGTexture* texture = node->frame.Upload(window(), pixels_ + frames::SlotOffset(buffer_, newest), size))
            node->setTexture(texture);
        // Copied into the texture: every slot shown or skipped goes back.
        for (uint32_t i = 0; i < pendingCount_; ++i) Send(frames::Kind::Release, pending_[i]);
        pendingCount_ = 0;
    }
    if (node && !node->frame.texture) {
        delete node;
        return nullptr;
    }
    if (node) {
        node->setRect(boundingRect());
        node->markDirty(QSGNode::DirtyMaterial);
    }
    return node;
}

void FramesItem::itemChange(ItemChange change, const ItemChangeData& value)
{
    QQuickItem::itemChange(change, value);
    if (change == ItemSceneChange) {
        if (watched_) watched_->removeEventFilter(this);
        watched_ = value.window;
        if (watched_) watched_->installEventFilter(this);
        if (watched_) Start();
        else Stop();
    }
    if (change == ItemVisibleHasChanged) SendPause();
    if (change == ItemDevicePixelRatioHasChanged) SendSize();
}

bool FramesItem::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose || event->type() == QEvent::Show || event->type() == QEvent::Hide)
        QMetaObject::invokeMethod(this, &FramesItem::SendPause, Qt::QueuedConnection);  // after the window took it in
    return QQuickItem::eventFilter(watched, event);
}
