// SPDX-License-Identifier: MIT
#include "folderview/LoadThread.h"

#include "imaging/AppError.h"

#include <QMetaObject>
#include <QMutexLocker>
#include <QSemaphore>
#include <exception>
#include <memory>

namespace {

// One call handed to the UI thread. Whoever moves it out of Pending decides: the UI thread
// runs it, or the loader gives it up.
struct HandOverCall {
    enum State { Pending, Running, Done, GivenUp };
    std::atomic<int> state{Pending};
    QSemaphore done;
    std::exception_ptr error;
};

} // namespace

TLoadThread::TLoadThread(QObject* context, std::function<SliceOutcome()> slice,
                         std::function<void()> rescan, LoaderTiming timing)
    : context_(context), slice_(std::move(slice)), rescan_(std::move(rescan)), timing_(timing) {
}

TLoadThread::~TLoadThread() {
    StopAndWait();
}

void TLoadThread::StartLoading() {
    {
        QMutexLocker locker(&lock_);
        running_ = true;
    }
    start(QThread::IdlePriority);
}

void TLoadThread::StopLoading() {
    QMutexLocker locker(&lock_);
    running_ = false;
    stopped_.wakeAll();
}

bool TLoadThread::IsRunning() const {
    QMutexLocker locker(&lock_);
    return running_;
}

void TLoadThread::StopAndWait() {
    StopLoading();
    if (isRunning())
        wait();
    executing_ = false;
}

void TLoadThread::Pause(int ms) {
    QMutexLocker locker(&lock_);
    if (running_)
        stopped_.wait(&lock_, static_cast<unsigned long>(ms));
}

bool TLoadThread::HandOver(const std::function<void()>& work) {
    if (!IsRunning())
        return false;
    auto call = std::make_shared<HandOverCall>();
    QMetaObject::invokeMethod(
        context_,
        [call, work] {
            int expected = HandOverCall::Pending;
            if (!call->state.compare_exchange_strong(expected, HandOverCall::Running))
                return; // the loader gave it up
            try {
                work();
            } catch (...) {
                call->error = std::current_exception();
            }
            call->state = HandOverCall::Done;
            call->done.release();
        },
        Qt::QueuedConnection);
    // Wait for the UI thread, checking now and then whether we were stopped meanwhile.
    while (!call->done.tryAcquire(1, 20)) {
        if (IsRunning())
            continue;
        int expected = HandOverCall::Pending;
        if (call->state.compare_exchange_strong(expected, HandOverCall::GivenUp))
            return false;
        // Already running on the UI thread: it finishes on its own, so wait for it.
        call->done.acquire();
        break;
    }
    if (call->error)
        std::rethrow_exception(call->error);
    return true;
}

void TLoadThread::run() {
    try {
        int idleCycles = 0;
        while (IsRunning()) {
            SliceOutcome outcome;
            if (!HandOver([this, &outcome] {
                    if (IsRunning())
                        outcome = slice_();
                }))
                break;
            if (outcome.found) {
                Pause(outcome.background ? timing_.backgroundPauseMs
                      : outcome.slow     ? timing_.slowPauseMs
                                         : timing_.foundPauseMs);
                continue;
            }
            for (int step = 0; step < IdleSteps && IsRunning(); ++step)
                Pause(timing_.idleStepMs);
            if (IsRunning() && idleCycles == RescanEveryIdleCycles - 1) {
                if (!HandOver(rescan_))
                    break;
                idleCycles = -1;
            }
            ++idleCycles;
        }
    } catch (const AppError& error) {
        emit LoaderFailed(QStringLiteral("AppError: ") + error.Message());
    } catch (const std::exception& error) {
        emit LoaderFailed(QStringLiteral("Error: ") + QString::fromLocal8Bit(error.what()));
    }
    executing_ = false;
}
