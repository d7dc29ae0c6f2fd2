#pragma once

#include <QByteArray>
#include <QString>

namespace sorvix {

// Questions, notices, file dialogs and the shell's open. The program answers
// them with message boxes and dialogs; tests answer them from a script.
class OperatorPort
{
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~OperatorPort() = default;

    // A confirmation with Yes and No.
    virtual Answer confirm(const QString &text) = 0;
    // A confirmation with Yes, No and Cancel.
    virtual Answer confirmWithCancel(const QString &text) = 0;
    // A warning with Yes and No.
    virtual Answer warnYesNo(const QString &text) = 0;
    // Notices with an OK button.
    virtual void inform(const QString &text) = 0;
    virtual void warn(const QString &text) = 0;
    virtual void showError(const QString &text) = 0;
    // File dialogs; the filter is written "description|pattern|...". An empty
    // result means cancelled.
    virtual QString chooseSaveFile(const QString &filter, const QString &proposedName) = 0;
    virtual QString chooseOpenFile(const QString &filter) = 0;
    // The shell's "open" on a file or a web address.
    virtual void openWithShell(const QString &target) = 0;
};

// What the engine and the draw round ask of the draw screen. Texts are GBK.
class ScreenPort
{
public:
    enum Corner { Left = 0, Right = 1 };
    virtual ~ScreenPort() = default;

    virtual void setHead(const QByteArray &text) = 0;
    // Name slots 1..10.
    virtual void setSlot(int slot, const QByteArray &text) = 0;
    virtual void setSlotVisible(int slot, bool visible) = 0;
    // Hides both prize texts and both prize pictures.
    virtual void hidePrizes() = 0;
    virtual void showPrizeText(Corner corner, const QByteArray &text) = 0;
    // Loads and shows a picture file in a corner.
    virtual void showPrizePicture(Corner corner, const QString &path) = 0;
    virtual void hidePrizePicture(Corner corner) = 0;
    // The caption strip's text; `width` >= 0 sets the caption's width too.
    virtual void setCaption(const QByteArray &text, int width = -1) = 0;
    // Stops the rolling of the name slots.
    virtual void stopRolling() = 0;
};

// Sounds and music. The program plays them with Qt Multimedia; tests record them.
class SoundPort
{
public:
    virtual ~SoundPort() = default;
    // WAV effects.
    virtual void startLoop(const QString &path) = 0;
    virtual void playOnce(const QString &path) = 0;
    virtual void stopEffects() = 0;
    // Background music (MP3) and its repeat timer.
    virtual void openMusic(const QString &path) = 0;
    virtual void playMusic() = 0;
    virtual void stopMusic() = 0;
    virtual void rewindMusic() = 0;
    virtual void closeMusic() = 0;
    virtual void setRepeatTimerRunning(bool running) = 0;
};

} // namespace sorvix
