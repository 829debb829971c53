#pragma once
// The progress dialog of long runs: caption "Pracujem...", no window buttons, stays on
// top, centred, with the progress bar PB1 (0..100).
//
// While it is shown it is application-modal: the user cannot click into other windows
// while the run processes pending events, so no second run (or edit) can start in the
// middle of one. Nastav_priebeh processes pending events only once at a time; a call
// made from inside that event processing just sets the bar.
#include <QWidget>

class QProgressBar;

namespace tarix::ui {

class TFormProgress : public QWidget {
    Q_OBJECT
public:
    explicit TFormProgress(QWidget *parent = nullptr);

    // Sets PB1 to the percent clamped to 0..100, processes pending events and
    // repaints the dialog.
    void Nastav_priebeh(int percent);

    // True while some Nastav_priebeh is processing pending events.
    static bool isProcessingEvents() { return s_processingEvents; }

    QProgressBar *PB1;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static bool s_processingEvents;
};

} // namespace tarix::ui
