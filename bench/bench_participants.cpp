// Loading a large participant list: the five column files read and split into
// lines (ParticipantList::load), then every person's display and full text
// built into the draw pool with the mobile and identity numbers shown and
// masked. This is what start-up, every showing of the list editor and every
// save of the list cost. Target on the party laptop: under 150 ms and under
// 100 MB peak for 100,000 people.
//
//   bench_participants [people, default 100000] [runs, default 5]

#include "base/gbk.h"
#include "base/programfolder.h"
#include "engine/drawpool.h"
#include "settings/participantlist.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

using namespace sorvix;

namespace {

double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// Writes one column file at a time, so the generator's own lists never stand
// beside the loaded list in memory.
void writeList(const ProgramFolder &folder, int people)
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
                lines.append("110101" + QByteArray::number(1960 + int(random() % 45)) + "0" +
                             QByteArray::number(1 + int(random() % 9)) + "1" + digits(1) + digits(4));
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

} // namespace

int main(int argc, char **argv)
{
    const int people = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const ProgramFolder folder(dir.path());
    writeList(folder, people);
    const double afterGenerating = peakMegabytes();

    ShowFields show;
    show.showName = show.showMobile = show.showId = true;
    show.maskMobile = show.maskId = true;

    double best = 1e9;
    size_t checksum = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const ParticipantList list = ParticipantList::load(folder);
        const DrawPool pool = buildPool(list, show);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, ms);
        checksum += pool.size() + size_t(pool.back().displayText.size());
        std::printf("run %d: %.1f ms\n", run + 1, ms);
    }
    std::printf("people: %d (checksum %zu)\n", people, checksum);
    std::printf("load + pool, best of %d: %.1f ms (target < 150 ms)\n", runs, best);
    std::printf("peak memory (VmHWM): %.1f MB (target < 100 MB; %.1f MB after writing the files)\n",
                peakMegabytes(), afterGenerating);
    return 0;
}
