// SPDX-License-Identifier: MIT
#include "viewer/SlideShowState.h"

#include <cstdlib>

void TSlideShowState::Start(bool fullScreenBefore) {
    phase_ = Phase::Running;
    fullScreenBefore_ = fullScreenBefore;
}

void TSlideShowState::TogglePause() {
    if (phase_ == Phase::Running)
        phase_ = Phase::Paused;
    else if (phase_ == Phase::Paused)
        phase_ = Phase::Running;
}

void TSlideShowState::Stop() {
    phase_ = Phase::Stopped;
}

QString TSlideShowState::SlideShowCaption() const {
    return Active() ? QStringLiteral("&Stop Slide Show [S]")
                    : QStringLiteral("&Start Slide Show [S]");
}

QString TSlideShowState::PauseCaption() const {
    return phase_ == Phase::Paused ? QStringLiteral("Continue Silde Show [P]")
                                   : QStringLiteral("Pause Silde Show [P]");
}

QString TSlideShowState::WindowHint() const {
    switch (phase_) {
    case Phase::Running:
        return QStringLiteral(
            "Slide Show Running|Slide Show Running (Press [P] to Pause or [S] to Stop)");
    case Phase::Paused:
        return QStringLiteral("Slide Show Paused|Slide Show Paused (Press [P] to Continue)");
    case Phase::Stopped:
        break;
    }
    return QString();
}

bool TSlideShowState::PointerMovedFar(QPoint position) {
    if (std::abs(position.x() - lastPointer_.x()) <= 5 &&
        std::abs(position.y() - lastPointer_.y()) <= 5)
        return false;
    lastPointer_ = position;
    return true;
}
