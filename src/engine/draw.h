#pragma once

#include "base/operatorports.h"
#include "engine/drawpool.h"
#include "engine/drawstate.h"
#include "engine/plan.h"
#include "engine/screenstate.h"
#include "settings/awardsettings.h"
#include "settings/participantlist.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <random>
#include <vector>

namespace sorvix {

// The night's draw: everything the program holds of the event, in one form
// per file (the participant list, the key and shown fields, the award settings
// with the caption and prize positions, the draw's progress), the pool, and
// what the draw screen shows. It changes them only through its own
// operations and tells its views by signals: the draw screen, the operator's
// console, the phone remote, the clicker and the editors are views of it or
// call it. The program, the tests, the drivers and the benchmarks all build it
// the same way, with their own ports.
//
// Every winner comes from the round files the preparation wrote; the rolling
// never picks anyone. A stop records in an order that survives a kill or a
// power cut at any point (the winners appended to their level's file, the
// winners list rebuilt, then status.dll); a record that fails keeps the round
// pending with the counters where the disk has them and is retried by the
// next start, which starts nothing until it is written.
class Draw : public QObject
{
    Q_OBJECT
public:
    // Every 50 ms while the name slots roll.
    static constexpr int RollIntervalMs = 50;

    Draw(const ProgramFolder &folder, OperatorPort &op, SoundPort &sound, DrawRandom &random,
         QObject *parent = nullptr);
    ~Draw() override;

    const ProgramFolder &folder() const { return m_folder; }
    const AwardSettings &settings() const { return m_settings; }
    const ParticipantList &list() const { return m_list; }
    int keyField() const { return m_keyField; }
    const ShowFields &showFields() const { return m_showFields; }
    const DrawPool &pool() const { return m_pool; }
    const DrawState &state() const { return m_state; }
    const ScreenState &screen() const { return m_screen; }
    bool rolling() const { return m_screen.rolling; }
    // The highest enabled award level, -1 when none.
    int highestLevel() const { return m_settings.highestEnabledLevel(); }

    // ---- start-up, in two parts: what the first frame shows (the settings
    // files, the round count, the positions, the music and the winners
    // caption), then the participant list and the award settings with the
    // decision whether a draw left unfinished is continued. A step that fails
    // ends there and is told once the screen is up.
    void startScreen();
    void startDraw();

    // ---- the round. A button's failure is shown in a box; a key's (the
    // keyboard, the clicker, the phone) never reaches the screen.
    enum class Asked { ByButton, ByKey };
    void start(Asked how = Asked::ByButton);
    void stop(Asked how = Asked::ByButton);
    // Space and Enter start and stop by the start/stop key setting.
    enum class Key { Space, Enter };
    void pressKey(Key key);
    // The clicker's and the phone's one button: the start key while nothing
    // rolls, the stop key while a round rolls.
    void next();
    // Each of the ten slots shows a random participant.
    void rollTick();
    // Writes a pending stop's records and tells the operator how it went.
    // True when nothing is pending any more (also when nothing was).
    bool settleRecord();

    // ---- the operator's commands
    // "重新抽奖": the question, the pending record, the history, a fresh plan.
    bool restart(const QDateTime &now);
    // A level's winners so far, in the order revealed; empty without a file.
    // Throws OperationError.
    Lines levelWinners(int level) const;
    // Asks, then strikes winner `index` off the level's file and rebuilds the
    // winners list and the caption without them. Returns whether the level's
    // file changed; failures are told.
    bool giveUp(int level, int index);
    // The levels offered for a make-up, in item order. Throws OperationError.
    std::vector<int> makeupLevels() const;
    struct MakeupResult
    {
        bool ready = false;  // prepared: the window closes
        int quantity = 0;    // the number prepared, less than asked when the remainder ran short
    };
    // Prepares a make-up of `quantity` winners of `level`, with its
    // questions; failures are told and change nothing.
    MakeupResult makeup(int level, int quantity);
    // "打开音效" / "关闭音效": the switch saved, then in force.
    void setSoundOn(bool on);
    // One record of the results so far in the history file. Throws OperationError.
    void appendHistory(const QString &note, const QDateTime &now) const;

    // ---- the editors and the bundle
    void stopRolling();
    // Group mode is open in the list editor: the preparation then warns
    // about the excluded.
    void setGroupModeUnlocked(bool unlocked) { m_groupModeUnlocked = unlocked; }
    // keyword.dll and showword.dll read again and the pool rebuilt from the
    // list. Throws OperationError; what was read before the failure stays.
    void reloadListSettings();
    // Tlottery.dll read again (what was read before a failure stays) and
    // shown. Throws OperationError.
    void reloadAwardSettings();
    // The list editor's save: the five column files, keyword.dll and
    // showword.dll replaced together and read back as the draw's, the pool
    // rebuilt. Throws OperationError; memory then holds what the disk holds.
    void saveList(const std::vector<std::array<QByteArray, ColumnCount>> &rows, int key, const ShowFields &show);
    // The award editor's save: Tlottery.dll written, read back as the
    // settings in force with the list, and shown; the message line shows the
    // keys. Throws OperationError.
    void saveAwardSettings(const AwardSettings &edited);
    // A position chosen in the award editor: Curtain.dll saved, then shown.
    // Throws OperationError and changes nothing then.
    void setCaptionPosition(int position);
    void setPrizePosition(int position);
    // Nothing drawn any more and a fresh round plan from the list and the
    // settings in force. Refused: more winners than participants (said).
    // Throws OperationError when a file of the plan could not be written.
    enum class Prepared { Done, Refused };
    Prepared prepareAnew();
    // After the settings files were replaced together (a bundle, the factory
    // set): everything of the draw read again from the files, the make-up
    // dropped. Throws OperationError at the first step that failed.
    void reloadFromFiles();

signals:
    void screenChanged(sorvix::ScreenParts parts);
    // The award settings in force changed: titles, options, positions.
    void settingsChanged();
    // The draw's progress moved (rounds, make-up, a pending record).
    void progressChanged();
    // A start or a stop was asked for: the screen is the draw's again.
    void roundAsked(bool start);
    // The operator wants to see the results window.
    void resultsWanted();

private:
    // Start-up steps; each throws OperationError.
    void readColumns();
    void readScreenFiles();
    void readListFiles();
    void readAwardSettings();
    void resumeDecision();
    bool recoverRecordedRound();
    void rebuildPool();

    void startRound();
    void stopRound();
    void startRollingFrom(const QString &roundFile);
    void recordStop();
    void showWinnersCaption(const Lines &winnersList);
    void prepareOrSay();
    void prepare();
    void refuse(qint64 total, int participants);
    void announceFirstLevel();
    void resetScreen();
    void tell(ScreenParts parts);
    void setRolling(bool on);
    void setCaption(const QByteArray &text, int width = -1);
    void setPosition(int DrawOptions::*field, int position);
    void guarded(Asked how, const char *where, void (Draw::*step)());

    ProgramFolder m_folder;
    OperatorPort &m_operator;
    SoundPort &m_sound;
    DrawRandom &m_random;

    AwardSettings m_settings = AwardSettings::defaults();
    ParticipantList m_list;
    int m_keyField = KeyName;
    ShowFields m_showFields;
    DrawPool m_pool;
    DrawState m_state;
    ScreenState m_screen;
    bool m_groupModeUnlocked = false;
    // What failed during the start-up, told once the screen is up.
    QStringList m_startupFailures;

    QTimer m_rollTimer;
    // Seeded once from the system: the rolling only has to look random.
    std::mt19937_64 m_rollRandom;
};

} // namespace sorvix
