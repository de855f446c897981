// NorvexFrames, the QML item of the Plasma wallpaper: it runs a norvex
// renderer in a process of its own (--frames-to), asks it for frames at the
// item's pixel size times the render scale, and shows the newest one. The
// renderer's faults stay in the renderer: what comes over the socket is
// checked before it is used, and a renderer that dies is started again, less
// often the more often it dies. Hidden or paused, the renderer is paused too.
#pragma once

#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>

#include "platform/shared_frames/frames_protocol.h"

class QSocketNotifier;
class RendererProcess;

class FramesItem : public QQuickItem {
    Q_OBJECT
    Q_PROPERTY(int maxFps MEMBER maxFps WRITE setMaxFps NOTIFY settingsChanged)           // 0: no cap
    Q_PROPERTY(qreal renderScale MEMBER renderScale WRITE setRenderScale NOTIFY settingsChanged)  // 0.25..1
    Q_PROPERTY(int samples MEMBER samples WRITE setSamples NOTIFY settingsChanged)       // 0, 2, 4, 8
    Q_PROPERTY(int seed MEMBER seed WRITE setSeed NOTIFY settingsChanged)                // -1: a new flight
    Q_PROPERTY(bool running MEMBER running WRITE setRunning NOTIFY settingsChanged)      // false: paused
public:
    static constexpr int FIRST_RESTART_MS = 1000;   // after a renderer died
    static constexpr int MAX_RESTART_MS = 60000;    // the longest wait, for a renderer that keeps dying
    static constexpr int HEALTHY_RUN_MS = 30000;    // a renderer that lived this long resets the wait

    explicit FramesItem(QQuickItem* parent = nullptr);
    ~FramesItem() override;

    void setMaxFps(int value);
    void setRenderScale(qreal value);
    void setSamples(int value);
    void setSeed(int value);
    void setRunning(bool value);

    int maxFps = 30;
    qreal renderScale = 1.0;
    int samples = 0;
    int seed = -1;
    bool running = true;

Q_SIGNALS:
    void settingsChanged();

protected:
    QSGNode* updatePaintNode(QSGNode* old, UpdatePaintNodeData* data) override;
    void itemChange(ItemChange change, const ItemChangeData& value) override;
    void componentComplete() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Start();                      // a renderer, if the item can be shown and has none
    void Restart();                    // a new renderer with the settings now in force
    void Stop();                       // lets the renderer go and forgets its frames
    void Died(const QString& why);     // said once; another renderer later, the later the more it dies
    void RendererEnded(int status);
    void Fault(const char* what);      // the renderer broke the hand-over: stopped like a dead one
    void ReadMessages();
    bool MapBuffer(const plat::frames::Message& buffer, int fd);
    void Send(plat::frames::Kind kind, uint32_t slot = 0, uint32_t width = 0, uint32_t height = 0);
    void SendSize();
    void SendPause();
    QStringList RendererArguments() const;

    QPointer<QQuickWindow> watched_;   // the window whose exposure pauses the renderer
    RendererProcess* renderer_ = nullptr;
    QSocketNotifier* messages_ = nullptr;
    QTimer restart_;                   // single shot: the next start after a death
    int restartDelayMs_ = FIRST_RESTART_MS;
    QSize sentSize_;                   // what the renderer was last asked for
    int sentPause_ = -1;               // 1 paused, 0 resumed, -1 nothing sent yet

    // The buffer in use, mapped read-only, and the frames announced in it and
    // not yet shown, oldest first. Read on the render thread while the GUI
    // thread waits in the scene graph's sync, as updatePaintNode is.
    plat::frames::Message buffer_ = {};
    const unsigned char* pixels_ = nullptr;
    size_t bytes_ = 0;
    uint32_t pending_[plat::frames::SLOTS] = {};
    uint32_t pendingCount_ = 0;
};
