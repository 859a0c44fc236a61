// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QString>

// The slide show's states and the texts that go with them, apart from the window: stopped,
// running (the timer ticks) and paused (still active, the timer stopped).
class TSlideShowState {
public:
    enum class Phase { Stopped, Running, Paused };

    Phase State() const { return phase_; }
    bool Active() const { return phase_ != Phase::Stopped; }
    bool TimerRunning() const { return phase_ == Phase::Running; }

    // Starting needs a current folder with at least one file and no timer running (a paused
    // show is not started again).
    static bool CanStart(bool hasFolder, int fileCount, bool timerRunning) {
        return hasFolder && fileCount >= 1 && !timerRunning;
    }
    void Start(bool fullScreenBefore);
    // Running <-> Paused; nothing when stopped.
    void TogglePause();
    void Stop();
    // Full screen as it was when the show started.
    bool FullScreenBefore() const { return fullScreenBefore_; }

    // Texts of the slide-show item, the pause item and the window's hint.
    QString SlideShowCaption() const;
    QString PauseCaption() const;
    QString WindowHint() const;

    // The pointer hidden by the show comes back when it moves more than 5 pixels away (in x or
    // in y) from where it last came back; true then, and that place is remembered.
    bool PointerMovedFar(QPoint position);
    void ResetPointer() { lastPointer_ = QPoint(0, 0); }

private:
    Phase phase_ = Phase::Stopped;
    bool fullScreenBefore_ = false;
    QPoint lastPointer_{0, 0};
};
