#include "platform/Launcher.h"

#include "platform/ExactName.h"
#include "platform/RuntimeError.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

QString &standInSlot()
{
    static QString program;
    return program;
}

struct Command
{
    QString program;
    QStringList arguments;
};

Command withStandIn(const QString &program, const QStringList &arguments)
{
    const QString stand = Launcher::standIn();
    if (stand.isEmpty())
        return {program, arguments};
    return {stand, QStringList{program} + arguments};
}

// argv as the exact bytes of each string, kept alive for the spawn.
class ExactArgv
{
public:
    explicit ExactArgv(const Command &c)
    {
        m_bytes.push_back(ExactName::toBytes(c.program));
        for (const QString &a : c.arguments)
            m_bytes.push_back(ExactName::toBytes(a));
        for (QByteArray &b : m_bytes)
            m_argv.push_back(b.data());
        m_argv.push_back(nullptr);
    }
    char *const *argv() { return m_argv.data(); }
    const char *program() const { return m_bytes.front().constData(); }

private:
    std::vector<QByteArray> m_bytes;
    std::vector<char *> m_argv;
};

struct SpawnActions
{
    posix_spawn_file_actions_t actions;
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
};

// Starts `c` with the given file actions; throws the launcher's error when it cannot.
pid_t spawn(const Command &c, SpawnActions &actions)
{
    // An empty name would be looked up as a folder on PATH: a file that is no program.
    if (c.program.isEmpty())
        throw RuntimeError::fromErrno(EACCES, c.program);
    ExactArgv argv(c);
    pid_t pid = -1;
    const int err = posix_spawnp(&pid, argv.program(), &actions.actions, nullptr, argv.argv(), environ);
    if (err != 0)
        throw RuntimeError::fromErrno(err == ENOTDIR ? ENOENT : err, c.program);
    return pid;
}

int waitFor(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

void Launcher::setStandIn(const QString &program)
{
    standInSlot() = program;
}

QString Launcher::standIn()
{
    if (!standInSlot().isEmpty())
        return standInSlot();
    return qEnvironmentVariable("TIDYHALL_LAUNCH_STANDIN");
}

void Launcher::startDetached(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    const Command c = withStandIn(program, arguments);
    SpawnActions actions;
    const QByteArray folder = ExactName::toBytes(workingFolder);
    if (!workingFolder.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions.actions, folder.constData());
    posix_spawn_file_actions_addopen(&actions.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const pid_t pid = spawn(c, actions);
    // The program lives on its own; only its exit status is collected, so that it
    // leaves no zombie behind.
    std::thread([pid] { waitFor(pid); }).detach();
}

Launcher::Output Launcher::runAndRead(const QString &program, const QStringList &arguments)
{
    const Command c = withStandIn(program, arguments);
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        throw RuntimeError::fromErrno(errno, program);
    if (::pipe2(err, O_CLOEXEC) != 0) {
        const int e = errno;
        ::close(out[0]);
        ::close(out[1]);
        throw RuntimeError::fromErrno(e, program);
    }
    SpawnActions actions;
    posix_spawn_file_actions_addopen(&actions.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions.actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions.actions, err[1], STDERR_FILENO);
    pid_t pid = -1;
    try {
        pid = spawn(c, actions);
    } catch (...) {
        for (int fd : {out[0], out[1], err[0], err[1]})
            ::close(fd);
        throw;
    }
    ::close(out[1]);
    ::close(err[1]);

    Output result;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    QByteArray *sinks[2] = {&result.standardOutput, &result.standardError};
    int open = 2;
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[4096];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, n);
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd &f : fds)
        if (f.fd >= 0)
            ::close(f.fd);
    result.exitCode = waitFor(pid);
    return result;
}

int Launcher::runAndWait(const QString &program, const QStringList &arguments)
{
    SpawnActions actions;
    return waitFor(spawn(withStandIn(program, arguments), actions));
}
