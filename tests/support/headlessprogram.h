#pragma once

#include "engine/draw.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <memory>

namespace sorvix::test {

// The draw without a window, built and started as the program builds and
// starts it, on a program folder of its own: with the shipped settings and
// the demonstration list, or empty for a test that writes its own files. Its
// operator, sound and screen record what they are asked.
struct HeadlessProgram
{
    // The program folder's files to begin with.
    enum class Files { Factory, None };
    explicit HeadlessProgram(Files files = Files::Factory, quint64 seed = 5)
        : dir(files == Files::Factory), random(seed)
    {
    }

    TestFolder dir;
    RecordingOperator op;
    RecordingSound sound;
    RecordingScreen screen;
    DrawRandom random;
    std::unique_ptr<Draw> draw;

    // A fresh draw on the folder (the old one gone), started the way the
    // program starts it: the screen's part, then the draw's.
    Draw &start();
    // A fresh draw on the folder, not started.
    Draw &make();
};

} // namespace sorvix::test
