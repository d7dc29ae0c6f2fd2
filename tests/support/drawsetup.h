#pragma once

#include "support/headlessprogram.h"

#include <map>
#include <vector>

namespace sorvix::test {

// A test's own event on an empty program folder: participants "P00", "P01",
// ... with group tags by position, and only the award levels the test
// enables. start() writes them as the program's files and starts the draw on
// them as the program does, which prepares the first plan; later changes go
// through the editors' saves.
struct DrawSetup : HeadlessProgram
{
    explicit DrawSetup(quint64 seed = 20261207) : HeadlessProgram(Files::None, seed)
    {
        for (AwardLevel &award : settings.levels)
            award.enabled = false;
    }

    // What start() and prepare() save.
    AwardSettings settings = AwardSettings::defaults();

    static QString person(int i) { return QStringLiteral("P%1").arg(i, 2, 10, QLatin1Char('0')); }

    // The list editor's rows (header first) of P00 .. P<n-1>, with `tags`
    // as group tags by position.
    static std::vector<std::array<QByteArray, ColumnCount>> rows(int n, const std::map<int, const char *> &tags = {})
    {
        std::vector<std::array<QByteArray, ColumnCount>> rows(1);
        for (int c = 0; c < ColumnCount; ++c)
            rows[0][size_t(c)] = ParticipantList::columnCaption(c);
        for (int i = 0; i < n; ++i) {
            const auto tag = tags.find(i);
            rows.push_back({person(i).toLatin1(), {}, {}, {}, QByteArray(tag == tags.end() ? "" : tag->second)});
        }
        return rows;
    }
    // The list written before the start, the list editor's save once the
    // draw runs (the pool then starts from list order).
    void people(int n, const std::map<int, const char *> &tags = {})
    {
        if (draw)
            draw->saveList(rows(n, tags), KeyName, ShowFields());
        else
            ParticipantList::save(dir.folder(), rows(n, tags));
    }

    AwardLevel &level(int k, const char *quantity, int perRound, const char *name = nullptr,
                      const char *prize = "")
    {
        AwardLevel &award = settings.levels[size_t(k)];
        award.enabled = true;
        award.quantity = quantity;
        award.perRound = perRound;
        if (name)
            award.displayName = gbk::fromUtf8(name);
        award.prizeText = gbk::fromUtf8(prize);
        return award;
    }

    // The award settings written, then the draw started.
    Draw &start()
    {
        awardfile::save(dir.folder(), settings);
        return HeadlessProgram::start();
    }
    // The award editor's save, then a fresh plan.
    void save() { draw->saveAwardSettings(settings); }
    Draw::Prepared prepare()
    {
        save();
        return draw->prepareAnew();
    }
    // One round of the draw: start, then stop.
    void drawRound()
    {
        draw->start();
        draw->stop();
    }

    // The round files on disk, decoded.
    QStringList round(int n) const { return dir.lines(files::round(n)); }
    QStringList names(int n) const { return round(n).mid(RoundFile::NamesLine); }
    int roundFiles() const
    {
        int n = 0;
        while (dir.folder().exists(files::round(n)))
            ++n;
        return n;
    }
    // The names of every round file, or of those of one level, in file order.
    QStringList allNames(int level = -1) const
    {
        QStringList all;
        for (int n = 0; n < roundFiles(); ++n)
            if (level < 0 || round(n).value(0) == QString::number(level))
                all << names(n);
        return all;
    }
    std::vector<int> roundLevels() const
    {
        std::vector<int> levels;
        for (int n = 0; n < roundFiles(); ++n)
            levels.push_back(round(n).value(0).toInt());
        return levels;
    }
    QString firstLine(const QString &file) const { return dir.lines(file).value(0); }
};

} // namespace sorvix::test
