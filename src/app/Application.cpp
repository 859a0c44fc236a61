// SPDX-License-Identifier: MIT
#include "app/Application.h"

#include "dialogs/HelpDlgUnit.h"
#include "imaging/AppError.h"

namespace {

// Errors that reach the event loop go to the program's error box.
void ShowEscapedError(const QString& message) {
    ShowApplicationError(message);
}

} // namespace

QString ApplicationTitle() {
    return QStringLiteral("Orvo Image Browser 2");
}

OrvoApplication::OrvoApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(ApplicationTitle());
    setOrganizationName(QStringLiteral("Tamblin"));
}

bool OrvoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError& error) {
        ShowEscapedError(error.Message());
    } catch (const std::exception& error) {
        ShowEscapedError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}
