#include "base/childprocess.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sorvix::childprocess {

namespace {

// The helper's end of the answer pipe.
constexpr int AnswerFd = 3;

void closeBoth(int fds[2])
{
    ::close(fds[0]);
    ::close(fds[1]);
}

} // namespace

Result run(const QString &program, const QStringList &arguments, qint64 memoryCap, int timeoutMs)
{
    Result result;
    // Everything the child needs is made before the fork: after it, only
    // calls that are safe in a copy of a process with threads.
    const QByteArray file = QFile::encodeName(program);
    std::vector<QByteArray> texts{file};
    for (const QString &argument : arguments)
        texts.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    const rlimit memory{rlim_t(memoryCap), rlim_t(memoryCap)};

    int answer[2];
    int execError[2];
    if (::pipe2(answer, O_CLOEXEC) != 0)
        return result;
    if (::pipe2(execError, O_CLOEXEC) != 0) {
        closeBoth(answer);
        return result;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        closeBoth(answer);
        closeBoth(execError);
        return result;
    }
    if (child == 0) {
        // The cap is set here, before the helper's first instruction.
        int error = 0;
        if (answer[1] == AnswerFd ? ::fcntl(AnswerFd, F_SETFD, 0) != 0 : ::dup2(answer[1], AnswerFd) < 0)
            error = errno;
        else if (::setrlimit(RLIMIT_AS, &memory) != 0)
            error = errno;
        else {
            ::execv(argv[0], argv.data());
            error = errno;
        }
        [[maybe_unused]] const ssize_t n = ::write(execError[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(answer[1]);
    ::close(execError[1]);

    // The exec-error pipe closes unread when the exec succeeded.
    int execFailure = 0;
    ssize_t got;
    while ((got = ::read(execError[0], &execFailure, sizeof execFailure)) < 0 && errno == EINTR) {
    }
    ::close(execError[0]);
    int status = 0;
    if (got > 0) {
        ::close(answer[0]);
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        return result;
    }

    QDeadlineTimer deadline(timeoutMs);
    bool timedOut = false;
    char buffer[65536];
    for (;;) {
        pollfd p{answer[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, int(std::max<qint64>(0, deadline.remainingTime())));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0) {
            timedOut = true;
            break;
        }
        const ssize_t n = ::read(answer[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        result.answer.append(buffer, qsizetype(n));
    }
    ::close(answer[0]);
    if (timedOut)
        ::kill(child, SIGKILL);
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut)
        result.outcome = Result::Outcome::TimedOut;
    else if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        result.outcome = Result::Outcome::Answered;
    else
        result.outcome = Result::Outcome::Failed;
    if (result.outcome != Result::Outcome::Answered)
        result.answer.clear();
    return result;
}

bool sendAnswer(const QByteArray &answer)
{
    if (::fcntl(AnswerFd, F_GETFD) < 0)
        return false;
    qsizetype done = 0;
    while (done < answer.size()) {
        const ssize_t n = ::write(AnswerFd, answer.constData() + done, size_t(answer.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace sorvix::childprocess
