// One norvex renderer behind a wallpaper item: spawned with one end of a
// packet socket as its descriptor 3, watched through a pidfd so that its end
// is heard without a SIGCHLD handler (plasmashell has its own children), and
// collected whatever happens, so that no zombie is left in plasmashell.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <sys/types.h>

class QSocketNotifier;

class RendererProcess : public QObject {
    Q_OBJECT
public:
    static constexpr int SOCKET_FD = 3;         // the renderer's end of the socket, in the renderer
    static constexpr int STOP_WAIT_MS = 2000;   // after the socket closes, then SIGKILL

    ~RendererProcess() override;  // a renderer still running is killed and collected

    // Starts `program` with `arguments`; false with the reason in `why`.
    bool Start(const QString& program, const QStringList& arguments, QString* why);
    // Lets it go: closes the socket, which ends a healthy renderer, kills it
    // if it is still there STOP_WAIT_MS later, and deletes this object once it
    // is collected. Nothing more is signalled.
    void Release();

    int socket = -1;       // our end; -1 once released
    pid_t pid = -1;
    QElapsedTimer age;     // since the start

Q_SIGNALS:
    void ended(int status);  // it ended on its own (waitpid's status)

private:
    void Collect();

    int pidfd_ = -1;
    QSocketNotifier* exited_ = nullptr;
    bool released_ = false;
};
