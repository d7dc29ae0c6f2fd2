#pragma once

#include "app/drawscreen.h"
#include "base/gbk.h"

#include <QStringList>
#include <deque>

namespace sorvix::test {

// Answers questions from a script and records every question and notice.
class RecordingOperator : public OperatorPort
{
public:
    std::deque<Answer> answers;          // next answers; Yes when empty
    QStringList questions;               // confirm / confirmWithCancel / warnYesNo texts
    QStringList notices;                 // inform / warn / showError texts
    QStringList opened;                  // shell opens
    QString saveName;                    // what the save dialog returns
    QString openName;                    // what the open dialog returns
    QStringList filters;                 // filters of the dialogs offered
    QStringList proposedNames;

    Answer next() { if (answers.empty()) return Answer::Yes; Answer a = answers.front(); answers.pop_front(); return a; }
    Answer confirm(const QString &text) override { questions << text; return next(); }
    Answer confirmWithCancel(const QString &text) override { questions << text; return next(); }
    Answer warnYesNo(const QString &text) override { questions << text; return next(); }
    void inform(const QString &text) override { notices << text; }
    void warn(const QString &text) override { notices << text; }
    void showError(const QString &text) override { notices << text; }
    QString chooseSaveFile(const QString &filter, const QString &proposed, Replace) override
    { filters << filter; proposedNames << proposed; return saveName; }
    QString chooseOpenFile(const QString &filter) override { filters << filter; return openName; }
    bool shellOpens = true;             // whether a program opens what is opened
    bool openWithShell(const QString &target) override { opened << target; return shellOpens; }
};

// Records what the draw screen was asked to show; texts decoded from GBK.
// Stands for the screen of the engine, the start-up and the editors alike.
class RecordingScreen : public DrawScreen
{
public:
    QString head;
    QString slotText[11];
    bool slotVisible[11] = {false, true, true, true, true, true, true, true, true, true, true};
    QString prizeText[2];
    bool prizeTextShown[2] = {false, false};
    QString prizePicture[2];
    bool prizePictureShown[2] = {false, false};
    QString caption;
    QStringList captions;                // every caption, in order
    int captionWidth = -1;
    int rollingStops = 0;
    QString title;                       // from the last award settings applied
    int titleFormats = 0;
    bool menusShown = true;
    int relayouts = 0;
    int resultsShown = 0;

    void setHead(const QByteArray &text) override { head = gbk::decode(text); }
    void setSlot(int slot, const QByteArray &text) override { slotText[slot] = gbk::decode(text); }
    void setSlotVisible(int slot, bool visible) override { slotVisible[slot] = visible; }
    void hidePrizes() override
    { prizeTextShown[0] = prizeTextShown[1] = prizePictureShown[0] = prizePictureShown[1] = false; }
    void showPrizeText(Corner c, const QByteArray &text) override { prizeText[c] = gbk::decode(text); prizeTextShown[c] = true; }
    void showPrizePicture(Corner c, const QString &path) override { prizePicture[c] = path; prizePictureShown[c] = true; }
    void hidePrizePicture(Corner c) override { prizePictureShown[c] = false; }
    void setCaption(const QByteArray &text, int width) override
    {
        caption = gbk::decode(text);
        captions << caption;
        if (width >= 0)
            captionWidth = width;
    }
    void stopRolling() override { ++rollingStops; }
    void applyAwardSettings(const AwardSettings &settings) override { title = gbk::decode(settings.options.title); }
    void formatTitles() override { ++titleFormats; }
    void hideMenus() override { menusShown = false; }
    void showMenus() override { menusShown = true; }
    void relayout() override { ++relayouts; }
    void showResults() override { ++resultsShown; }
};

// Records every sound operation as a line: "loop start.wav", "once stop.wav", ...
class RecordingSound : public SoundPort
{
public:
    QStringList played;
    bool repeatTimerRunning = true;

    static QString base(const QString &path) { return path.section(QLatin1Char('/'), -1); }
    void startLoop(const QString &path) override { played << QStringLiteral("loop ") + base(path); }
    void playOnce(const QString &path) override { played << QStringLiteral("once ") + base(path); }
    void stopEffects() override { played << QStringLiteral("stop effects"); }
    void openMusic(const QString &path) override { played << QStringLiteral("open ") + base(path); }
    void playMusic() override { played << QStringLiteral("play music"); }
    void stopMusic() override { played << QStringLiteral("stop music"); }
    void pauseMusic() override { played << QStringLiteral("pause music"); }
    void rewindMusic() override { played << QStringLiteral("rewind music"); }
    void closeMusic() override { played << QStringLiteral("close music"); }
    void setRepeatTimerRunning(bool running) override { repeatTimerRunning = running; }
};

} // namespace sorvix::test
