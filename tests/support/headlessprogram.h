#pragma once

#include "engine/prepare.h"
#include "engine/session.h"
#include "presentation/theme.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <functional>
#include <memory>

namespace sorvix::test {

// The program without a window on a program folder with the shipped settings
// and demonstration list: its screen, operator and sound record what they are
// asked.
struct HeadlessProgram
{
    explicit HeadlessProgram(quint64 seed = 5) : random(seed) {}

    TestFolder dir{true};
    Session session;
    RecordingScreen screen;
    RecordingOperator op;
    RecordingSound sound;
    DrawRandom random;
    std::unique_ptr<DrawPreparation> preparation;
    // Where the start-up puts the stored theme; nowhere when unset.
    std::function<void(const Theme &)> applyTheme;

    // A fresh session on the folder, started the way the program starts.
    void start();
};

} // namespace sorvix::test
