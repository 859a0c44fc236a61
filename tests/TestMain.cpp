// SPDX-License-Identifier: MIT
// Test entry shared by every test program: a headless application whose HOME and XDG folders
// live in a temporary folder, so no test ever touches the user's own settings or caches.
#include "imaging/GenUtilUnit.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    const QString root = home.path();
    for (const char* sub : {"config", "cache", "data", "runtime"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", root.toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_CACHE_HOME", (root + QStringLiteral("/cache")).toUtf8());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root + QStringLiteral("/runtime")).toUtf8());

    QApplication app(argc, argv);
    // Test programs run side by side from one folder: each gets a temporary folder of its own
    // rather than the shared one beside the program.
    SetTempFolderOverride(root + QStringLiteral("/cache/orvo"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
