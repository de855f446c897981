// Spawning with posix_spawn (the child gets the socket at descriptor 3, the
// only descriptor of ours it inherits: every other is close-on-exec or opened
// so by Qt), and collecting through a pidfd's readability.
#include "renderer_process.h"

#include <QSocketNotifier>
#include <QTimer>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

extern char** environ;

RendererProcess::~RendererProcess()
{
    if (socket >= 0) close(socket);
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (pidfd_ >= 0) close(pidfd_);
}

bool RendererProcess::Start(const QString& program, const QStringList& arguments, QString* why)
{
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) {
        *why = QStringLiteral("no socket: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    const QByteArray path = program.toLocal8Bit();
    std::vector<QByteArray> words = {path};
    for (const QString& argument : arguments) words.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    // dup2 clears close-on-exec on the copy; the renderer blocks nothing.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], SOCKET_FD);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const int failed = posix_spawn(&pid, path.constData(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(ends[1]);
    if (failed != 0) {
        close(ends[0]);
        pid = -1;
        *why = QStringLiteral("cannot start %1: %2").arg(program, QString::fromLocal8Bit(std::strerror(failed)));
        return false;
    }
    socket = ends[0];
    age.start();
    pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd_ >= 0) {
        exited_ = new QSocketNotifier(pidfd_, QSocketNotifier::Read, this);
        connect(exited_, &QSocketNotifier::activated, this, &RendererProcess::Collect);
    }
    // Without pidfds (Linux before 5.3) the socket's end tells the item, and
    // Release or the destructor collect the process.
    return true;
}

void RendererProcess::Collect()
{
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid) return;
    pid = -1;
    exited_->setEnabled(false);
    if (released_) {
        deleteLater();
        return;
    }
    Q_EMIT ended(status);
}

void RendererProcess::Release()
{
    released_ = true;
    setParent(nullptr);
    if (socket >= 0) close(socket);
    socket = -1;
    if (pid <= 0 || exited_ == nullptr) {
        deleteLater();  // ended already, or nothing to watch it with: the destructor collects it
        return;
    }
    QTimer::singleShot(STOP_WAIT_MS, this, [this] {
        if (pid > 0) kill(pid, SIGKILL);
    });
}
