#pragma once

#include "base/operatorports.h"

#include <QDebug>

namespace sorvix {

// Ports for running without a sound card or an operator: benchmarks and test
// drivers. Questions get a fixed answer; errors are counted and printed.
class NullSound : public SoundPort
{
public:
    void startLoop(const QString &) override {}
    void playOnce(const QString &) override {}
    void stopEffects() override {}
    void openMusic(const QString &) override {}
    void playMusic() override {}
    void stopMusic() override {}
    void rewindMusic() override {}
    void closeMusic() override {}
    void setRepeatTimerRunning(bool) override {}
};

class NullOperator : public OperatorPort
{
public:
    explicit NullOperator(Answer answer = Answer::Yes) : m_answer(answer) {}
    int errors = 0;

    Answer confirm(const QString &) override { return m_answer; }
    Answer confirmWithCancel(const QString &) override { return m_answer; }
    Answer warnYesNo(const QString &) override { return m_answer; }
    void inform(const QString &) override {}
    void warn(const QString &) override {}
    void showError(const QString &text) override
    {
        ++errors;
        qWarning().noquote() << "error:" << text;
    }
    QString chooseSaveFile(const QString &, const QString &, Replace) override { return {}; }
    QString chooseOpenFile(const QString &) override { return {}; }
    bool openWithShell(const QString &) override { return false; }

private:
    Answer m_answer;
};

} // namespace sorvix
