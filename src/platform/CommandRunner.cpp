// SPDX-License-Identifier: MIT
#include "platform/CommandRunner.h"

#include <QProcess>

CommandResult RunCommand(const QString& program, const QStringList& arguments, int timeoutMs) {
    CommandResult result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        result.errorText = process.errorString();
        return result;
    }
    result.started = true;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.errorText = QStringLiteral("no answer after %1 seconds").arg(timeoutMs / 1000);
        return result;
    }
    result.output = process.readAllStandardOutput();
    result.errorText = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    else if (result.errorText.isEmpty())
        result.errorText = process.errorString();
    return result;
}

CommandRunner SystemCommandRunner() {
    return [](const QString& program, const QStringList& arguments) {
        return RunCommand(program, arguments);
    };
}
