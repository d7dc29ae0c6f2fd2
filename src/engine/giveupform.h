#pragma once

#include "engine/draw.h"

namespace sorvix {

// What the give-up / make-up window shows and does, without the window: the
// two level lists, the chosen level's winners, striking a winner off and
// preparing a make-up. Texts are GBK; the window only decodes them.
class GiveUpForm
{
public:
    GiveUpForm(Draw &draw, OperatorPort &op);

    // Fills both level lists for the window being opened: the give-up list
    // on its first level with that level's winners, no make-up level chosen.
    void activate();

    // Display names of levels 0..H; the item is the level.
    const Lines &giveUpItems() const { return m_giveUpItems; }
    // Display names of the levels offered for a make-up, in item order.
    const Lines &makeupItems() const { return m_makeupItems; }
    int giveUpItem() const { return m_giveUpItem; }
    // The chosen level's winners, in the order revealed.
    const Lines &winners() const { return m_winners; }

    // The operator picks a level of the give-up list.
    void giveUpLevelChosen(int item);
    // Strikes the winner at `row` of the list (-1: none chosen) off the level,
    // after the question, and rebuilds the winners list and the caption
    // without them; the list is read again in any case. Returns whether the
    // level's file changed.
    bool giveUp(int row);
    // The quantity field's rule: a positive whole number, else "1".
    static QString makeUpQuantityChanged(const QString &text);
    // Prepares a make-up for the make-up list's `item` (-1: none chosen) of
    // the number in `quantity`, which shows the number prepared afterwards.
    // Returns true when the make-up is ready and the window closes.
    bool makeUp(int item, QString *quantity);

private:
    Draw &m_draw;
    OperatorPort &m_operator;
    Lines m_giveUpItems;
    Lines m_makeupItems;
    Lines m_winners;
    int m_giveUpItem = -1;
};

} // namespace sorvix
