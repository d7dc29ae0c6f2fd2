#pragma once

// What the benchmarks share: an invented participant list, the process's
// memory and the median of a series of runs.

#include "base/gbk.h"
#include "base/programfolder.h"
#include "settings/participantlist.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <random>
#include <vector>

namespace sorvix::bench {

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
    for (int c = 0; c < ColumnCount; ++c) {
        Lines lines;
        lines.reserve(people + 1);
        lines.append(ParticipantList::columnCaption(c));
        for (int i = 0; i < people; ++i) {
            switch (c) {
            case ColName: {
                QString name = surnames[int(random() % surnames.size())];
                for (int k = 1 + int(random() % 2); k > 0; --k)
                    name += given[int(random() % given.size())];
                lines.append(gbk::encode(name));
                break;
            }
            case ColMobile:
                lines.append("13" + digits(9));
                break;
            case ColIdNumber:
                lines.append("110101" + QByteArray::number(1960 + int(random() % 45)) + "0"
                             + QByteArray::number(1 + int(random() % 9)) + "1" + digits(1) + digits(4));
                break;
            case ColWorkId:
                lines.append("QW" + QByteArray::number(i + 1).rightJustified(6, '0'));
                break;
            default:
                lines.append(i % 1000 == 0 ? QByteArrayLiteral("A") : QByteArray());
            }
        }
        folder.writeLines(ParticipantList::columnFile(c), lines);
    }
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

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace sorvix::bench
