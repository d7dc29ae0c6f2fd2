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
    // result means cancelled. A command that asks its own question about
    // replacing an existing file says so, and the dialog then asks none.
    enum class Replace { DialogAsks, CallerAsks };
    virtual QString chooseSaveFile(const QString &filter, const QString &proposedName,
                                   Replace replace = Replace::DialogAsks) = 0;
    virtual QString chooseOpenFile(const QString &filter) = 0;
    // The shell's "open" on a file or a web address; false when nothing opened it.
    virtual bool openWithShell(const QString &target) = 0;
};

// Opens a file the operator asked to see with the shell's open. A missing
// file, or no program to open it, is said in a warning that names the file by
// `what` ("使用说明") and gives its path. Returns whether it opened.
bool openOrSay(OperatorPort &op, const QString &path, const QString &what);

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
    // Stops the music where it is, so the next play goes on from there.
    virtual void pauseMusic() { stopMusic(); }
    virtual void rewindMusic() = 0;
    virtual void closeMusic() = 0;
    virtual void setRepeatTimerRunning(bool running) = 0;
};

} // namespace sorvix
