#pragma once

// What the fuzz targets share: a scratch program folder, made once per process,
// and a way to cut one input into several files.

#include "base/nulloperatorports.h"
#include "base/operatorports.h"
#include "engine/draw.h"
#include "base/programfolder.h"
#include "presentation/themechoice.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace sorvix::fuzz {

// Answers every question with yes and says nothing: a fuzzed input's
// messages are expected, and printing them would only slow the run.
class QuietOperator : public OperatorPort
{
public:
    explicit QuietOperator(Answer answer = Answer::Yes) : m_answer(answer) {}
    Answer confirm(const QString &) override { return m_answer; }
    Answer confirmWithCancel(const QString &) override { return m_answer; }
    Answer warnYesNo(const QString &) override { return m_answer; }
    void inform(const QString &) override {}
    void warn(const QString &) override {}
    void showError(const QString &) override {}
    QString chooseSaveFile(const QString &, const QString &, Replace) override { return {}; }
    QString chooseOpenFile(const QString &) override { return {}; }
    bool openWithShell(const QString &) override { return false; }

private:
    Answer m_answer;
};

// The draw screen's look, shown nowhere.
class NoThemeView : public ThemeView
{
public:
    bool showBackground(const QString &) override { return true; }
    void setTextColour(const QColor &) override {}
    void setTextFace(const QString &) override {}
};

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A program folder with the folders the installation provides, emptied of
// files before every input.
inline const ProgramFolder &scratchFolder()
{
    static QTemporaryDir dir;
    static const ProgramFolder folder = [] {
        for (const char *sub : {"data", "dat", "datm", "DLL", "bg", "pics", "voice"})
            QDir(dir.path()).mkpath(QString::fromLatin1(sub));
        return ProgramFolder(dir.path());
    }();
    for (const char *sub : {"", "data", "dat", "datm"}) {
        QDir d(folder.path(QString::fromLatin1(sub)));
        for (const QString &name : d.entryList(QDir::Files))
            d.remove(name);
    }
    return folder;
}

inline void put(const ProgramFolder &folder, const QString &relative, const QByteArray &contents)
{
    QFile file(folder.path(relative));
    if (file.open(QIODevice::WriteOnly))
        file.write(contents);
}

// A small participant list of three people, as every program folder has one.
inline void putList(const ProgramFolder &folder)
{
    for (const QString &column : {files::Name, files::Mobile, files::IdNumber, files::WorkId, files::Group})
        put(folder, column, "h\r\na\r\nb\r\nc\r\n");
}

// The draw on the scratch folder, built and started as the program does,
// with every question answered `answer`.
struct StartedDraw
{
    StartedDraw(const ProgramFolder &folder, OperatorPort::Answer answer, quint64 seed)
        : op(answer), random(seed), draw(folder, op, sound, random)
    {
        draw.startScreen();
        draw.startDraw();
        if (draw.state().roundCount() < 0 || draw.state().roundIndex() < 0)
            __builtin_trap();
    }
    // Rounds started, ticked and stopped.
    void drawRounds(int rounds)
    {
        for (int i = 0; i < rounds; ++i) {
            draw.start();
            draw.rollTick();
            draw.stop();
        }
    }

    NullSound sound;
    QuietOperator op;
    DrawRandom random;
    Draw draw;
};

// The input cut at every occurrence of the separator "\n@@\n" into at most
// `parts` pieces; missing pieces are empty.
inline QList<QByteArray> split(const QByteArray &input, int parts)
{
    QList<QByteArray> pieces;
    qsizetype start = 0;
    while (pieces.size() < parts - 1) {
        const qsizetype at = input.indexOf("\n@@\n", start);
        if (at < 0)
            break;
        pieces.append(input.mid(start, at - start));
        start = at + 4;
    }
    pieces.append(input.mid(start));
    while (pieces.size() < parts)
        pieces.append(QByteArray());
    return pieces;
}

} // namespace sorvix::fuzz
