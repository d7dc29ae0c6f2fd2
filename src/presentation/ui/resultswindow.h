#pragma once

#include "base/operatorports.h"
#include "base/programfolder.h"
#include "presentation/resultsshow.h"

#include <QDialog>

class QLabel;
class QMenu;
class QTimer;

namespace sorvix {

class PictureBox;
class ResultRowsView;

// The results window: every winner so far as a slowly rising column of names
// over a full-screen background, under the event's title and a fixed
// subtitle, with its own music. The rows are rebuilt from the winners list
// each time the window becomes active; losing the focus stops the rising and
// the music. Whoever shows it says whether the sound is on and the full
// screen locked, and runs the winners export it asks for.
class ResultsWindow : public QDialog
{
    Q_OBJECT
public:
    // `drawScreenSound` is the draw screen's music, stopped while the results
    // show; `music` plays voice\result.mp3 (its own repeat timer is not used:
    // the window restarts it).
    ResultsWindow(const ProgramFolder &folder, OperatorPort &op, SoundPort &drawScreenSound, SoundPort &music,
               QWidget *parent = nullptr);
    ~ResultsWindow() override;

    static inline const QString BuiltInBackground = QStringLiteral(":/builtin/background.jpg");

    void setTitle(const QString &title);
    // bgshow.dll was replaced (a bundle import, the factory settings): its
    // picture, or the built-in one when it names none that can be shown.
    void reloadBackground();
    // Shows the window modally over its owner and returns at once.
    void showModal(bool fullScreenLocked, bool soundOn);
    // Sizeable and 800 x 600 while the full screen is locked, else borderless
    // and maximised. Applied before the window shows: changing a shown
    // window's border would take its focus and set the rows off again.
    void applyWindowMode(bool fullScreenLocked);
    void setSoundOn(bool on) { m_show.setSoundOn(on); }

    const RisingRows &rows() const { return m_show.rows(); }
    bool rising() const;

    void activate();
    void deactivate();
    void riseTick();
    void rewindMusic();
    void redRows();
    void blueRows();

signals:
    // "导出中奖名单" of its menu.
    void exportWinnersAsked();

public slots:
    // Escape: the same close as the title bar's.
    void reject() override;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void layoutControls();
    void chooseBackground(const QString &relative);

    ProgramFolder m_folder;
    OperatorPort &m_operator;
    ResultsShow m_show;

    PictureBox *m_background = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_subtitleLabel = nullptr;
    ResultRowsView *m_rowsView = nullptr;
    QTimer *m_riseTimer = nullptr;
    QTimer *m_musicTimer = nullptr;
    QMenu *m_contextMenu = nullptr;
};

} // namespace sorvix
