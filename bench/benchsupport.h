#pragma once

// What the benchmarks share: a scratch program folder, the draw built and
// started as the program builds and starts it, participant lists, the
// process's memory and the median of a series of runs.

#include "base/gbk.h"
#include "base/nulloperatorports.h"
#include "base/programfolder.h"
#include "engine/draw.h"
#include "settings/participantlist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace sorvix::bench {

// A program folder of its own in a temporary folder (below `base`, the
// system's temporary folder when empty), with the folders the installation
// provides. Removed when the object goes.
class ScratchFolder
{
public:
    explicit ScratchFolder(const QString &base = {})
        : m_dir(QDir(base.isEmpty() ? QDir::tempPath() : base).filePath(QStringLiteral("sorvix-bench-XXXXXX"))),
          m_folder(m_dir.path())
    {
        for (const char *sub : {"data", "dat", "datm"})
            QDir(m_dir.path()).mkdir(QLatin1String(sub));
    }
    bool isValid() const { return m_dir.isValid(); }
    const ProgramFolder &folder() const { return m_folder; }
    QString path() const { return m_dir.path(); }

    // The settings files of the laid-out `program` folder, without
    // status.dll: the draw prepares afresh at its start, as on a first start.
    void copySettingsFrom(const QString &program) const
    {
        for (const QString &name : QDir(program).entryList({QStringLiteral("*.dll")}, QDir::Files))
            if (name != QLatin1String("status.dll"))
                QFile::copy(program + QLatin1Char('/') + name, m_dir.filePath(name));
    }

private:
    QTemporaryDir m_dir;
    ProgramFolder m_folder;
};

// The laid-out program folder beside the build's executables; empty, and
// said, when there is none.
inline QString laidOutProgram()
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../program");
    if (QFile::exists(program + QStringLiteral("/Tlottery.dll")))
        return program;
    std::fprintf(stderr, "no laid-out program folder at %s\n", qPrintable(program));
    return {};
}

// The draw without a window, on ports that answer every question alike and
// play nothing, built and started as the program builds and starts it.
struct HeadlessDraw
{
    explicit HeadlessDraw(const ProgramFolder &folder, OperatorPort::Answer answer = OperatorPort::Answer::Yes,
                          DrawRandom seeded = DrawRandom::fromSystem())
        : op(answer), random(seeded), draw(folder, op, sound, random)
    {
    }
    NullOperator op;
    NullSound sound;
    DrawRandom random;
    Draw draw;

    // The start-up's two parts: the files read and the resume decision,
    // which prepares the draw when nothing is drawn.
    Draw &start()
    {
        draw.startScreen();
        draw.startDraw();
        return draw;
    }
};

// The five column files of `people` participants, field(column, i) the field
// of participant i, asked column after column, person after person.
template<typename Field>
void writeColumns(const ProgramFolder &folder, int people, Field field)
{
    for (int c = 0; c < ColumnCount; ++c) {
        Lines lines;
        lines.reserve(people + 1);
        lines.append(ParticipantList::columnCaption(c));
        for (int i = 0; i < people; ++i)
            lines.append(field(c, i));
        folder.writeLines(ParticipantList::columnFile(c), lines);
    }
}

// Participants named name(i) whose mobile shows masked beside the name as
// "138****dddd" (dddd: i modulo 10000), the display text the draw rolls and
// writes; group(i) their group.
template<typename Name, typename Group>
void writeNumberedList(const ProgramFolder &folder, int people, Name name, Group group)
{
    writeColumns(folder, people, [&](int column, int i) -> QByteArray {
        switch (column) {
        case ColName: return gbk::encode(name(i));
        case ColMobile: return "1380000" + QByteArray::number(i % 10000).rightJustified(4, '0');
        case ColGroup: return group(i);
        default: return QByteArray();
        }
    });
    ShowFields show;
    show.showMobile = show.maskMobile = true;
    keyfiles::saveKeyField(folder, KeyName);
    keyfiles::saveShowFields(folder, show);
}

// A list of invented people, written one column file at a time so that the
// generator's own lists never stand beside a loaded list in memory. One in a
// thousand is in group "A". The same people on every call.
inline void writeList(const ProgramFolder &folder, int people)
{
    std::mt19937 random(2027);
    const auto digits = [&](int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i)
            text.append(char('0' + random() % 10));
        return text;
    };
    const QString surnames = QStringLiteral("王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾");
    const QString given = QStringLiteral("伟芳娜秀敏静丽强磊军洋勇艳杰娟涛明超霞平刚桂英华玉兰萍红鹏飞斌建国志文辉");
    writeColumns(folder, people, [&](int column, int i) -> QByteArray {
        switch (column) {
        case ColName: {
            QString name = surnames[int(random() % surnames.size())];
            for (int k = 1 + int(random() % 2); k > 0; --k)
                name += given[int(random() % given.size())];
            return gbk::encode(name);
        }
        case ColMobile: return "13" + digits(9);
        case ColIdNumber:
            return "110101" + QByteArray::number(1960 + int(random() % 45)) + "0"
                   + QByteArray::number(1 + int(random() % 9)) + "1" + digits(1) + digits(4);
        case ColWorkId: return "QW" + QByteArray::number(i + 1).rightJustified(6, '0');
        default: return i % 1000 == 0 ? QByteArrayLiteral("A") : QByteArray();
        }
    });
}

// A memory figure of this process from /proc/self/status in MB ("VmHWM:" the
// peak, "VmRSS:" the present); -1 where there is none.
inline double statusMegabytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// Wall time in milliseconds from an arbitrary start.
inline double wallMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Processor time in milliseconds: the process's, or with
// CLOCK_THREAD_CPUTIME_ID the calling thread's. What a figure costs on a
// machine that is busy with other work too.
inline double cpuMs(clockid_t clock = CLOCK_PROCESS_CPUTIME_ID)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) * 1e-6;
}

// A wall time and the processor time spent in it, in milliseconds.
struct Span
{
    double wall = 0;
    double cpu = 0;
};

inline Span operator-(const Span &a, const Span &b)
{
    return {a.wall - b.wall, a.cpu - b.cpu};
}

class Stopwatch
{
public:
    Stopwatch() : m_wall(wallMs()), m_cpu(cpuMs()) {}
    Span elapsed() const { return {wallMs() - m_wall, cpuMs() - m_cpu}; }

private:
    double m_wall;
    double m_cpu;
};

// When each watched signal first came after start(): the draw tells its
// views by signals, so a step of an operation is timed from the signal that
// ends it or begins the next.
class SignalMarks : public QObject
{
public:
    template<typename Sender, typename Signal>
    void watch(const Sender *sender, Signal signal, const char *name)
    {
        connect(sender, signal, this, [this, name] { m_marks.try_emplace(name, m_watch.elapsed()); });
    }
    void start()
    {
        m_marks.clear();
        m_watch = Stopwatch();
    }
    Span elapsed() const { return m_watch.elapsed(); }
    // Since start(); `otherwise` when the signal did not come.
    Span at(const char *name, Span otherwise = {}) const
    {
        const auto mark = m_marks.find(name);
        return mark == m_marks.end() ? otherwise : mark->second;
    }

private:
    Stopwatch m_watch;
    std::map<std::string, Span> m_marks;
};

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace sorvix::bench
