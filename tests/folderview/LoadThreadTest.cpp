// SPDX-License-Identifier: MIT
// The loader's pacing with stand-in slices: hand-overs to the UI thread, pauses, the periodic
// rescan, stopping, and errors.
#include "folderview/LoadThread.h"
#include "imaging/AppError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

#include "EventLoopWait.h"

namespace {

const LoaderTiming Quick{1, 1, 1, 1};

TEST(LoadThread, SlicesAndRescansRunOnTheUiThread) {
    QObject context;
    std::atomic<int> slices = 0;
    std::atomic<int> rescans = 0;
    int slicesBeforeRescan = -1;
    const QThread* ui = QThread::currentThread();
    bool wrongThread = false;
    TLoadThread loader(
        &context,
        [&] {
            wrongThread |= QThread::currentThread() != ui;
            ++slices;
            return SliceOutcome{};
        },
        [&] {
            wrongThread |= QThread::currentThread() != ui;
            if (rescans++ == 0)
                slicesBeforeRescan = slices;
        },
        Quick);
    loader.StartLoading();
    // The loader runs at idle priority, so on a busy machine this takes a while.
    ASSERT_TRUE(ProcessEventsUntil([&] { return rescans >= 1; }, 120'000));
    loader.StopAndWait();
    EXPECT_FALSE(wrongThread);
    // The rescan comes after the 16th idle cycle.
    EXPECT_EQ(slicesBeforeRescan, TLoadThread::RescanEveryIdleCycles);
    EXPECT_FALSE(loader.IsExecuting());
}

TEST(LoadThread, WorkFoundMeansNoIdleCyclesAndNoRescan) {
    QObject context;
    std::atomic<int> slices = 0;
    std::atomic<int> rescans = 0;
    TLoadThread loader(
        &context,
        [&] {
            ++slices;
            return SliceOutcome{true, false, false};
        },
        [&] { ++rescans; }, Quick);
    loader.StartLoading();
    ASSERT_TRUE(ProcessEventsUntil([&] { return slices >= 40; }));
    loader.StopAndWait();
    EXPECT_EQ(rescans.load(), 0);
}

TEST(LoadThread, StoppingEndsALongPauseAtOnce) {
    QObject context;
    std::atomic<int> slices = 0;
    LoaderTiming slow;
    slow.backgroundPauseMs = 60'000;
    TLoadThread loader(
        &context,
        [&] {
            ++slices;
            return SliceOutcome{true, false, true};
        },
        [] {}, slow);
    loader.StartLoading();
    ASSERT_TRUE(ProcessEventsUntil([&] { return slices >= 1; }));
    QThread::msleep(50); // the loader is now in its minute-long pause
    QElapsedTimer timer;
    timer.start();
    loader.StopAndWait();
    EXPECT_LT(timer.elapsed(), 5000); // far below the pause: the stop cut it short
    EXPECT_EQ(slices.load(), 1);
}

TEST(LoadThread, AStopWhileAHandOverWaitsNeverBlocksTheUiThread) {
    QObject context;
    std::atomic<int> slices = 0;
    TLoadThread loader(
        &context,
        [&] {
            ++slices;
            return SliceOutcome{};
        },
        [] {}, Quick);
    loader.StartLoading();
    // The UI thread does not process events, so the first hand-over stays pending; waiting for
    // the loader's end must still return.
    QThread::msleep(100);
    loader.StopAndWait();
    EXPECT_FALSE(loader.IsExecuting());
    // The given-up call does nothing when the event loop finally gets to it.
    QCoreApplication::processEvents();
    EXPECT_EQ(slices.load(), 0);
}

TEST(LoadThread, AnErrorInASliceEndsTheLoaderWithItsMessage) {
    QObject context;
    TLoadThread loader(
        &context, []() -> SliceOutcome { throw AppError(QStringLiteral("disk full")); }, [] {},
        Quick);
    QSignalSpy failed(&loader, &TLoadThread::LoaderFailed);
    loader.StartLoading();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !loader.IsExecuting(); }));
    ASSERT_TRUE(ProcessEventsUntil([&] { return failed.size() == 1; }));
    EXPECT_EQ(failed.first().first().toString(), QStringLiteral("AppError: disk full"));
    loader.StopAndWait();
}

} // namespace
