#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A helper program run in a separate process: a library that fails on bad
// input, or takes memory without end, costs the helper, not the caller.
// The helper answers with one block of bytes on a channel of its own (not
// its standard output, which libraries may write to). Implemented per
// operating system (childprocess_linux.cpp).
namespace sorvix::childprocess {

struct Result
{
    enum class Outcome {
        Answered,   // ended normally; `answer` holds what it sent
        NotStarted, // the program could not be started at all
        Failed,     // crashed, ran out of memory or ended with a non-zero code
        TimedOut,   // still running at the deadline, and ended by force
    };
    Outcome outcome = Outcome::NotStarted;
    QByteArray answer;
};

// Runs `program` with `arguments`, its memory capped at `memoryCap` bytes,
// and waits at most `timeoutMs` for it to end.
Result run(const QString &program, const QStringList &arguments, qint64 memoryCap, int timeoutMs);

// In the helper: sends the answer to the caller. False when the helper was
// not started by run() (nobody listens).
bool sendAnswer(const QByteArray &answer);

} // namespace sorvix::childprocess
