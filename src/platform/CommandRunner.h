// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

// Running a desktop's own command-line tool (gsettings, xfconf-query, dbus-send) and reading
// what it says. The runner is a plain function so tests can put a fake in its place.

struct CommandResult {
    bool started = false; // false when the program could not be run at all
    int exitCode = -1;    // -1 when it crashed or was stopped
    QByteArray output;    // standard output
    QString errorText;    // standard error, trimmed, or why it could not run or finish

    bool Succeeded() const { return started && exitCode == 0; }
};

using CommandRunner =
    std::function<CommandResult(const QString& program, const QStringList& arguments)>;

// Runs the program found on PATH with the arguments (no shell in between) and waits for it, at
// most `timeoutMs`; one that takes longer is killed and reported as failed.
CommandResult RunCommand(const QString& program, const QStringList& arguments,
                         int timeoutMs = 30000);
// RunCommand with its usual time limit, as a CommandRunner.
CommandRunner SystemCommandRunner();
