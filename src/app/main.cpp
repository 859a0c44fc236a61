// SPDX-License-Identifier: MIT
// The program's entry: one running copy per user, the maintenance switches, and the windows.
#include "app/Application.h"
#include "app/SingleInstance.h"
#include "dialogs/Dialogs.h"
#include "settings/FileAssociations.h"
#include "viewer/MainUnit.h"

#include <QCoreApplication>
#include <QFile>

namespace {

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QFile::decodeName(argv[i]);
    return args;
}

bool IsSwitch(const QString& first) {
    for (const char* name : {"-install", "-fixinstall", "-uninstall", "EXIT"})
        if (first == QLatin1String(name))
            return true;
    return false;
}

// Carries out a maintenance switch; "EXIT" with no copy running does nothing.
void RunSwitch(const QString& first) {
    if (first == QLatin1String("-install")) {
        FixFileTypeRegistrations();
        RegisterFileTypes();
    } else if (first == QLatin1String("-fixinstall")) {
        FixFileTypeRegistrations();
    } else if (first == QLatin1String("-uninstall")) {
        UnregisterFileTypes();
    }
}

} // namespace

int main(int argc, char** argv) {
    const QStringList args = ArgumentsOf(argc, argv);

    SingleInstance instance;
    if (!instance.TryBecomeFirst()) {
        // A copy runs already: hand it our last argument and end without a window.
        QCoreApplication app(argc, argv);
        SendMacroToRunningCopy(MacroForArguments(args));
        return 0;
    }

    if (!args.isEmpty() && IsSwitch(args.first())) {
        QCoreApplication app(argc, argv);
        try {
            RunSwitch(args.first());
        } catch (const std::exception&) {
            // The switches show nothing; a store that cannot be written ends them quietly.
            return 1;
        }
        return 0;
    }

    OrvoApplication app(argc, argv);
    // The windows, in creation order; each lives until the program ends. The main window opens
    // the folder (or the folder of the image) named last on the command line.
    TMainForm mainForm(args);
    CreateDialogs(mainForm.FileMruList().Items());
    QObject::connect(&instance, &SingleInstance::MacroReceived, &mainForm,
                     &TMainForm::PXD_MainExecuteMacro);
    instance.Listen();
    mainForm.show();
    return app.exec();
}
