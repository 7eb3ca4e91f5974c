#pragma once

#include <QImage>
#include <QVector>

#include "views/peliskui/MControl.h"

class QTimer;

namespace PeliskUI {

// An animated picture ("CGifPicture"), such as the loading animation. The frames and their
// durations come from the picture file; the control's own timer (AddMTimer) advances them
// while the picture runs. Without its picture it animates a plain spinning arc instead.
class CGifPicture : public MControl {
    Q_OBJECT
  public:
    explicit CGifPicture(QWidget* parent = nullptr);

    bool SetImage(const QString& name, int states = 1) override;
    // Starts or stops the animation.
    void SetRunState(bool running);
    bool GetRunState() const { return m_running; }
    // Starts the control's timer with the given period in milliseconds.
    void AddMTimer(int intervalMs);
    int FrameCount() const { return int(m_frames.size()); }
    int CurrentFrame() const { return m_frame; }
    // Advances the animation by `elapsedMs`, as the timer does.
    void Advance(int elapsedMs);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QVector<QImage> m_frames;
    QVector<int> m_delays;  // milliseconds per frame
    QTimer* m_timer = nullptr;
    int m_interval = 10;
    int m_frame = 0;
    int m_elapsed = 0;
    int m_spin = 0;  // angle of the plain spinner, degrees
    bool m_running = false;
};

}  // namespace PeliskUI
