#pragma once

#include "engine/roundfile.h"

#include <QFlags>
#include <QString>
#include <array>

namespace sorvix {

// What the draw screen shows of the draw, held by the draw object: the window
// paints it, the phone remote and the operator's console read it. Texts are GBK.
struct ScreenState
{
    enum Corner { Left = 0, Right = 1 };
    struct Prize
    {
        QByteArray text;
        bool textShown = false;
        QString picture;    // a full path
        bool pictureShown = false;
    };

    // The status line.
    QByteArray head;
    // The name slots, slot k at [k - 1].
    std::array<QByteArray, nameslots::Count> names;
    std::array<bool, nameslots::Count> nameShown = {true, true, true, true, true, true, true, true, true, true};
    std::array<Prize, 2> prizes;
    // The caption strip's text; a width of 0 or more makes the caption at
    // least that wide.
    QByteArray caption;
    int captionWidth = -1;
    // The name slots roll through the pool.
    bool rolling = false;
    // The last stop's names, as long as the slots still show them.
    Lines revealed;

    const QByteArray &slot(int k) const { return names[size_t(k - 1)]; }
    bool slotShown(int k) const { return nameShown[size_t(k - 1)]; }

    // Every slot emptied, then the message line shows `message`.
    void showMessage(const QByteArray &message);
    // The slots a round of `count` winners takes are shown, the others hidden.
    void showSlotsFor(int count);
    // The revealed names in their slots.
    void reveal(const Lines &winners);
    void hidePrizes();
    void showPrizeText(Corner corner, const QByteArray &text);
    void showPrizePicture(Corner corner, const QString &path);
};

// The parts of the screen a change touched.
enum class ScreenPart { Head = 1, Names = 2, Prizes = 4, Caption = 8, Rolling = 16 };
Q_DECLARE_FLAGS(ScreenParts, ScreenPart)
Q_DECLARE_OPERATORS_FOR_FLAGS(ScreenParts)

} // namespace sorvix
