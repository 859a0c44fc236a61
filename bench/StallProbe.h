// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <functional>

// Measures the longest stretch the UI thread was busy: a 5 ms timer notes how late each of its
// runs came. `onTick` (optional) runs at every tick.
class StallProbe {
public:
    explicit StallProbe(std::function<void()> onTick = {}) : onTick_(std::move(onTick)) {
        clock_.start();
        last_ = clock_.nsecsElapsed();
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            longestMs_ = std::max(longestMs_, (now - last_) / 1e6 - 5);
            last_ = now;
            if (onTick_)
                onTick_();
        });
        timer_.start();
    }
    double LongestStallMs() const { return longestMs_; }

private:
    std::function<void()> onTick_;
    QElapsedTimer clock_;
    QTimer timer_;
    qint64 last_ = 0;
    double longestMs_ = 0;
};
