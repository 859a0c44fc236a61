// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

// Runs the UI thread's event loop until `done` answers true or `ms` have passed; false on the
// deadline. Generous deadlines: the loader runs at idle priority and a busy machine slows it.
template <typename Done> bool ProcessEventsUntil(Done done, int ms = 60000) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
