#pragma once

#include "base/operatorports.h"
#include "engine/draw.h"
#include "settings/awardsettings.h"

#include <QObject>

namespace sorvix {

// The award settings editor without its window: an editing copy of the
// settings and the rules between its controls. The window binds its widgets
// to this class and shows settings() after every change it reports.
//
// Edits stay in the copy until a save (or a close answered Yes) has the draw
// write them to Tlottery.dll, read them back as the settings in force and
// prepare anew; a close answered No drops them. Only the caption and prize
// positions take effect at once (Curtain.dll), as the draw screen shows them.
class AwardEditor : public QObject
{
    Q_OBJECT
public:
    AwardEditor(Draw &draw, OperatorPort &op);

    // What the controls show.
    const AwardSettings &settings() const { return m_settings; }
    // Whether a level's switch can be clicked: level 0 always, any other
    // while the level before it is on.
    bool selectable(int level) const { return level == 0 || m_settings.levels[size_t(level) - 1].enabled; }


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

signals:
    // A rule or a load changed what the controls show.
    void changed();
    // True before the file work of a save and false after it.
    void working(bool on);

private:
    enum class Outcome { Failed, Refused, Unprepared, Done };
    // The controls take the given settings; switches go through the rule.
    void show(const AwardSettings &from);
    void reload();
    // The steps of a save after its question.
    Outcome commit(bool announce);
    void setPosition(int &field, int position, void (Draw::*store)(int));
    void notify();

    Draw &m_draw;
    OperatorPort &m_operator;
    // Before anything is read: levels 0..3 on, 4 selectable, the rest locked.
    AwardSettings m_settings = AwardSettings::defaults();
};

} // namespace sorvix
