// SPDX-License-Identifier: MIT
#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <atomic>
#include <functional>

// What one slice of rendering found, for the loader's choice of pause.
struct SliceOutcome {
    bool found = false;      // a file was rendered
    bool slow = false;       // the work was off-screen, or the filmstrip was hidden
    bool background = false; // the folder is not the one the viewer follows
};

// Paces the thumbnail rendering of one folder. The thread renders nothing itself: it hands a
// slice of work to the UI thread, waits for it to finish, then sleeps for a time chosen from
// what the slice found. While there is nothing to render it waits, and on every 16th idle
// cycle it has the folder rescanned.
//
// A hand-over never blocks the UI thread: once the loader is stopped, a hand-over that has not
// started yet is given up, so the owner can stop the loader and then wait for its end.
// The loader's pauses. Tests shorten them; the program uses the defaults.
struct LoaderTiming {
    int foundPauseMs = 50;        // after visible work
    int slowPauseMs = 500;        // after off-screen work, or with the filmstrip hidden
    int backgroundPauseMs = 1000; // after work for a folder the viewer does not follow
    int idleStepMs = 100;         // an idle wait is 30 such steps
};

class TLoadThread : public QThread {
    Q_OBJECT
public:
    static constexpr int IdleSteps = 30;
    static constexpr int RescanEveryIdleCycles = 16;

    // `context` lives on the UI thread, where the slice and the rescan run. Its owner stops the
    // loader (StopAndWait) before destroying it.
    TLoadThread(QObject* context, std::function<SliceOutcome()> slice, std::function<void()> rescan,
                LoaderTiming timing = {});
    ~TLoadThread() override;

    // Starts the loop at idle priority with running set.
    void StartLoading();
    // Tells the loop to end; a pause in progress ends at once.
    void StopLoading();
    bool IsRunning() const;
    // True from creation until the loop has returned.
    bool IsExecuting() const { return executing_.load(); }
    // Stops the loop and waits for the thread to end (UI thread; never waits on a hand-over).
    void StopAndWait();

signals:
    // An error escaped the loop, as "<kind>: <message>"; the loader has ended.
    void LoaderFailed(const QString& text);

protected:
    void run() override;

private:
    // Runs `work` on the UI thread and waits for it. False when it did not run because the
    // loader was stopped. An exception from `work` is rethrown here.
    bool HandOver(const std::function<void()>& work);
    // Sleeps up to `ms`, returning early when stopped.
    void Pause(int ms);

    QObject* context_;
    std::function<SliceOutcome()> slice_;
    std::function<void()> rescan_;
    LoaderTiming timing_;

    mutable QMutex lock_;
    QWaitCondition stopped_;
    bool running_ = false;
    std::atomic<bool> executing_{true};
};
