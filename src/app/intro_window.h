#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

class QProgressBar;

namespace quorvel {

// The splash window: a shaped picture with the safety warning, the version and a progress
// bar that fills in two seconds, then hands over to the main window. Esc hands over at once;
// its close button ends the program (the main window's exit sequence still runs).
class TFIntro : public QWidget {
    Q_OBJECT

  public:
    // `main` is shown at the hand-over; `quit` ends the program.
    TFIntro(QWidget& main, std::function<void()> quit);

    int TickCount() const { return tickCount_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Timer1Timer();
    void HandOver();
    void SpeedButton1Click();

    QWidget& main_;
    std::function<void()> quit_;
    QProgressBar* ProgressBar1 = nullptr;
    QTimer Timer1;
    int tickCount_ = 0;
};

}  // namespace quorvel
