#pragma once

#include "base/textfile.h"

#include <QString>

namespace sorvix {

// The program folder: the executable's folder in the program, a temporary
// folder in tests. Relative paths are written as the program's file names
// are known ("data\3.dll", "dat\LuckyList.txt") and mapped to this
// platform's separator; letters and case stay as written. The program never
// creates a folder: the installation provides them.
class ProgramFolder
{
public:
    ProgramFolder() = default;
    explicit ProgramFolder(const QString &root);

    QString root() const { return m_root; }
    // Full path of a file given relative to the program folder.
    QString path(const QString &relative) const;

    bool exists(const QString &relative) const { return textfile::exists(path(relative)); }
    void remove(const QString &relative) const { textfile::remove(path(relative)); }
    Lines readLines(const QString &relative) const { return textfile::readLines(path(relative)); }
    QByteArray readFirstLine(const QString &relative) const { return textfile::readFirstLine(path(relative)); }
    int readFirstNumber(const QString &relative) const { return textfile::readFirstNumber(path(relative)); }
    int readFirstCount(const QString &relative) const { return textfile::readFirstCount(path(relative)); }
    void writeLines(const QString &relative, const Lines &lines) const { textfile::writeLines(path(relative), lines); }
    void appendLines(const QString &relative, const Lines &lines) const { textfile::appendLines(path(relative), lines); }

private:
    QString m_root;
};

// The fixed names of the program folder.
namespace files {
inline const QString Name = QStringLiteral("Tname.dll");
inline const QString Mobile = QStringLiteral("Tmobile.dll");
inline const QString IdNumber = QStringLiteral("Tid.dll");
inline const QString WorkId = QStringLiteral("Tbadge.dll");
inline const QString Group = QStringLiteral("Tgroup.dll");
inline const QString KeyWord = QStringLiteral("keyword.dll");
inline const QString ShowWord = QStringLiteral("showword.dll");
inline const QString Lottery = QStringLiteral("Tlottery.dll");
inline const QString Status = QStringLiteral("status.dll");
inline const QString RoundCount = QStringLiteral("filenameqty.dll");
inline const QString ScreenPositions = QStringLiteral("Curtain.dll");
inline const QString Theme = QStringLiteral("bgtheme.dll");
inline const QString ResultBackground = QStringLiteral("bgshow.dll");
inline const QString QuickHelp = QStringLiteral("quickhelp.dll");
inline const QString Leftover = QStringLiteral("data\\left.dll");
inline const QString WinnersList = QStringLiteral("dat\\LuckyList.txt");
inline const QString History = QStringLiteral("dat\\Sorvix history.txt");
inline const QString BackgroundMusic = QStringLiteral("voice\\bg.mp3");
inline const QString StartSound = QStringLiteral("voice\\start.wav");
inline const QString StopSound = QStringLiteral("voice\\stop.wav");
inline const QString ResultMusic = QStringLiteral("voice\\result.mp3");

inline QString round(int n) { return QStringLiteral("data\\%1.dll").arg(n); }
inline QString levelWinners(int level) { return QStringLiteral("dat\\%1.dll").arg(level); }
inline QString makeupRound(int k) { return QStringLiteral("datm\\%1.dll").arg(k); }
} // namespace files

} // namespace sorvix
