#pragma once

#include "engine/screenport.h"
#include "engine/session.h"

#include <vector>

namespace sorvix {

// Giving up a prize and preparing a make-up draw for a level. The make-up
// takes the first entries of the pool remainder data\left.dll, which the
// preparation of the draw has already shuffled, and writes them as make-up
// rounds datm\<k>.dll of up to ten names that the draw screen then reveals.
class GiveUpMakeUp
{
public:
    GiveUpMakeUp(Session &session, OperatorPort &op, ScreenPort &screen);

    // The highest enabled level of the award table, -1 when none. The give-up
    // list offers levels 0..highestLevel(); its item index is the level.
    int highestLevel() const;

    // The levels offered for a make-up, in item order: only levels whose
    // rounds are all drawn. Throws OperationError when the next round's file
    // cannot be read.
    std::vector<int> makeupLevels() const;
    // The level of an item of the make-up list; -1 for no selection.
    int makeupLevel(int item) const;

    // The level's winners so far, in the order revealed; empty without a file.
    Lines giveUpList(int level) const;
    // Asks whether winner `index` of the level's list is to be struck off and
    // rewrites the level's winners file without them. Returns whether the
    // file changed. Errors are reported to the operator.
    bool giveUp(int level, int index);

    // The quantity field's rule: a positive whole number stays, anything else
    // becomes "1".
    static QString makeupQuantityRule(const QString &text);

    struct MakeupResult
    {
        bool ready = false;      // prepared: the window closes
        int quantity = 0;        // the number prepared, less than asked when the remainder ran short
    };
    // Prepares a make-up of `quantity` winners for `level`: the question when
    // the level would then hold a different number of winners than set, the
    // remainder checks, the make-up round files, the rest of the remainder
    // written back, the counters and the screen. Errors are reported to the
    // operator; an abandoned make-up changes nothing.
    MakeupResult makeup(int level, int quantity);

private:
    Session &m_session;
    OperatorPort &m_operator;
    ScreenPort &m_screen;
};

} // namespace sorvix
