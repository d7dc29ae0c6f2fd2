#pragma once

#include <QByteArray>

namespace sorvix::remote {

// The phone's page: one self-contained page (no outside scripts, fonts or
// pictures; a hall often has no internet), for a phone held in one hand: the
// screen's status line, one big start / stop button and the round's winners.
// It asks for the state twice a second, so it follows the screen whoever
// started the round.
const QByteArray &remotePage();

} // namespace sorvix::remote
