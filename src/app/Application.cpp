// SPDX-License-Identifier: MIT
#include "app/Application.h"

#include "imaging/AppError.h"

#include <QMessageBox>

namespace {

void ShowEscapedError(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"),
                    QStringLiteral("The following error has occurred:"), QMessageBox::Ok);
    box.setInformativeText(message);
    box.exec();
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
