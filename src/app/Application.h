// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>

// The application object. Errors that escape an event handler end up in the program's error
// box instead of ending the program.
class OrvoApplication : public QApplication {
public:
    OrvoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// "Orvo Image Browser 2"
QString ApplicationTitle();
