#pragma once

#include "base/operatorports.h"
#include "base/programfolder.h"
#include "settings/awardsettings.h"

#include <functional>

namespace sorvix {

// What the award settings editor needs of the draw it sets up. The program
// answers with the draw screen and the round plan; tests with a script.
class AwardEditorHost
{
public:
    virtual ~AwardEditorHost() = default;

    // The settings the draw reads: as last read from Tlottery.dll, with the
    // caption and prize positions of Curtain.dll.
    virtual const AwardSettings &liveSettings() const = 0;
    // Rounds of the current plan have been drawn (roundIndex above 0).
    virtual bool drawUnderway() const = 0;
    // Stops the rolling of the name slots.
    virtual void stopRolling() = 0;
    // Reads the five participant column files and Tlottery.dll into the raw
    // settings lists. Throws OperationError.
    virtual void reloadRawSettingsLists() = 0;
    // Reads Tlottery.dll into the live settings and shows the titles and
    // options on the draw screen. Throws OperationError; what was read stays.
    virtual void loadAwardSettings() = 0;
    // Name slot 5 shows which key starts and which stops.
    virtual void showStartStopKeys() = 0;
    // roundIndex := 0.
    virtual void restartRoundCount() = 0;
    virtual void clearTooManyWinners() = 0;
    // prepareDraw from the live settings. Returns true when it refused the
    // plan because there are more winners than participants. Throws
    // OperationError when a file of the plan could not be written.
    virtual bool prepareDraw() = 0;
    // A position chosen in the editor becomes the draw screen's, and the
    // screen is laid out again.
    virtual void setCaptionPosition(int position) = 0;
    virtual void setPrizePosition(int position) = 0;
};

// The award settings editor without its window: an editing copy of the
// settings and the rules between its controls. The window binds its widgets
// to this class and shows settings() after every change it reports.
//
// Edits stay in the copy until a save (or a close answered Yes) writes them to
// Tlottery.dll, reads them back as the live settings and prepares the draw
// anew; a close answered No drops them. Only the caption and prize positions
// take effect at once (Curtain.dll), as the draw screen shows them.
class AwardEditor
{
public:
    AwardEditor(const ProgramFolder &folder, OperatorPort &op, AwardEditorHost &host);

    // What the controls show.
    const AwardSettings &settings() const { return m_settings; }
    // Whether a level's switch can be clicked: level 0 always, any other
    // while the level before it is on.
    bool selectable(int level) const { return level == 0 || m_settings.levels[size_t(level) - 1].enabled; }

    // Called after a rule or a load changed what the controls show.
    std::function<void()> changed;
    // Called with true before the file work of a save and false after it.
    std::function<void(bool working)> working;

    // Window shown and "重置": Tlottery.dll read again; unsaved edits dropped.
    void windowShown();
    void resetEdits();
    // "保存". Returns whether the settings were saved.
    bool save();
    // The close sequence, on every close. Returns whether the window may close.
    bool confirmClose();

    // A level's switch clicked, or set in code: the enabling rule.
    void setLevelEnabled(int level, bool on);
    // A quantity edit changed: the quantity rule.
    void setQuantity(int level, const QByteArray &text);
    void setDisplayName(int level, const QByteArray &text);
    void setPrizeText(int level, const QByteArray &text);
    void setPicturePath(int level, const QByteArray &path);
    // One of 1, 2, 3, 4, 5, 10.
    void setPerRound(int level, int perRound);
    // "奖品图片": the chosen file's full path, or nothing when cancelled.
    void choosePicture(int level);

    // The other options, changed as they stand; positions go through the two
    // handlers below.
    DrawOptions &options() { return m_settings.options; }
    // The two position lists changed by the operator: Curtain.dll rewritten
    // and the draw screen laid out again at once, without a save.
    void captionPositionChosen(int position);
    void prizePositionChosen(int position);

    // The quantity rule: a valid quantity (blanks trimmed, only digits, not
    // 0, at most the 3 characters the edit holds) stays as typed, anything
    // else leaves "1". The edit is never empty.
    static QByteArray quantityRule(const QByteArray &text);

    static QString savedNotice();           // "保存成功！"
    // The settings were saved, but no new draw could be prepared.
    static QString unpreparedMessage(const QString &error);
    static QString closeQuestion();         // "是否保存所做的修改？"
    static QString underwayQuestion();      // the same, and what either answer does to the draw
    static QString pictureFilter();

private:
    enum class Outcome { Failed, Refused, Unprepared, Done };
    // The controls take the given settings; switches go through the rule.
    void show(const AwardSettings &from);
    void reload();
    // The steps of a save after its question.
    Outcome commit(bool underway, bool announce);
    void setPosition(int &field, int position, void (AwardEditorHost::*store)(int));
    void notify();

    ProgramFolder m_folder;
    OperatorPort &m_operator;
    AwardEditorHost &m_host;
    // Before anything is read: levels 0..3 on, 4 selectable, the rest locked.
    AwardSettings m_settings = AwardSettings::defaults();
};

} // namespace sorvix
