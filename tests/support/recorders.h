#pragma once

#include "base/gbk.h"
#include "base/operatorports.h"
#include "engine/draw.h"

#include <QPointer>
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

// Watches what a draw shows and records it; texts decoded from GBK. Slots
// and corners as the screen numbers them (slots 1..10).
class RecordingScreen : public QObject
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
    int rollingStops = 0;                // a rolling round stopped
    QString title;                       // from the last award settings shown
    int settingsShown = 0;
    int resultsShown = 0;
    int roundsAsked = 0;                 // starts and stops asked for

    void watch(const Draw &draw)
    {
        if (m_draw)
            QObject::disconnect(m_draw, nullptr, this, nullptr);
        m_draw = &draw;
        connect(&draw, &Draw::screenChanged, this, [this](ScreenParts parts) { copy(parts); });
        connect(&draw, &Draw::settingsChanged, this, [this] {
            title = gbk::decode(m_draw->settings().options.title);
            ++settingsShown;
        });
        connect(&draw, &Draw::resultsWanted, this, [this] { ++resultsShown; });
        connect(&draw, &Draw::roundAsked, this, [this] { ++roundsAsked; });
    }

private:
    void copy(ScreenParts parts)
    {
        const ScreenState &s = m_draw->screen();
        if (parts & ScreenPart::Head)
            head = gbk::decode(s.head);
        if (parts & ScreenPart::Names)
            for (int k = 1; k <= 10; ++k) {
                slotText[k] = gbk::decode(s.slot(k));
                slotVisible[k] = s.slotShown(k);
            }
        if (parts & ScreenPart::Prizes)
            for (int c = 0; c < 2; ++c) {
                prizeText[c] = gbk::decode(s.prizes[size_t(c)].text);
                prizeTextShown[c] = s.prizes[size_t(c)].textShown;
                prizePicture[c] = s.prizes[size_t(c)].picture;
                prizePictureShown[c] = s.prizes[size_t(c)].pictureShown;
            }
        if (parts & ScreenPart::Caption) {
            caption = gbk::decode(s.caption);
            captions << caption;
            if (s.captionWidth >= 0)
                captionWidth = s.captionWidth;
        }
        if ((parts & ScreenPart::Rolling) && !s.rolling)
            ++rollingStops;
    }

    // Null once the draw watched is gone (a test that starts the program again).
    QPointer<const Draw> m_draw;
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
