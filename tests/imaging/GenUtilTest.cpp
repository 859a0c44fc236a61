// SPDX-License-Identifier: MIT
#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/GenUtilWidgets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const struct {
        double value;
        int rounded;
    } cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},   {-0.5, 0},    {-1.5, -2},
                 {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {76.5, 76}, {277.5, 278}, {0.0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
}

TEST(ScaleForDpi, ScalesByResolutionWithEvenRounding) {
    const struct {
        int n, resolution, scaled, soft;
    } cases[] = {
        {185, 96, 185, 185},  // nothing changes at normal size
        {185, 144, 278, 208}, // 277.5 -> 278; soft: 185 x 108 / 96 = 208.125
        {185, 120, 231, 197}, // 231.25; soft: 185 x 102 / 96 = 196.56
        {72, 120, 90, 76},    // soft: 76.5 -> 76
        {72, 72, 54, 68},     {15, 192, 30, 19},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << " at " << c.resolution);
        EXPECT_EQ(ScaleForDpi(c.n, c.resolution), c.scaled);
        EXPECT_EQ(ScaleForDpiSoft(c.n, c.resolution), c.soft);
    }
    // Below 96 per inch the quarter is truncated towards zero: (72 - 96) div 4 = -6, so
    // 72 x 90 / 96 = 67.5, which rounds to the even 68.
    EXPECT_EQ(ScaleForDpiSoft(72, 72), 68);
    EXPECT_EQ(ScaleForDpiSoft(100, 93), 100); // (93 - 96) div 4 = 0, not -1
}

TEST(LongExePath, IsTheRunningProgramWithLinksResolved) {
    const QString path = LongExePath();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(path, QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    EXPECT_TRUE(QFileInfo(StartExePath()).isAbsolute());
}

class TempFolderTest : public testing::Test {
protected:
    QTemporaryDir root;
    QString Path(const char* name) const { return root.filePath(QString::fromLatin1(name)); }
    static unsigned Mode(const QString& path) {
        struct stat info {};
        lstat(QFile::encodeName(path).constData(), &info);
        return info.st_mode & 0777;
    }
};

TEST_F(TempFolderTest, FirstCandidateIsCreatedPrivate) {
    const QString first = Path("orvotemp");
    EXPECT_EQ(FirstUsableTempFolder({{first, false}, {Path("other"), false}}), first);
    EXPECT_EQ(Mode(first), 0700u);
}

TEST_F(TempFolderTest, AnExistingFolderOpenToOthersIsMadePrivate) {
    const QString first = Path("shared");
    QDir().mkdir(first);
    chmod(QFile::encodeName(first).constData(), 0777);
    EXPECT_EQ(FirstUsableTempFolder({{first, false}}), first);
    EXPECT_EQ(Mode(first), 0700u);
}

TEST_F(TempFolderTest, UnusableCandidatesAreSkipped) {
    // A link, a folder owned by someone else, a file, and a folder whose parent is missing.
    QDir().mkdir(Path("real"));
    QFile::link(Path("real"), Path("link"));
    QDir().mkdir(Path("foreign"));
    ASSERT_EQ(chown(QFile::encodeName(Path("foreign")).constData(), 65534, 65534), 0);
    QFile file(Path("plainfile"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString last = Path("fallback");
    const QString chosen = FirstUsableTempFolder({{Path("link"), false},
                                                  {Path("foreign"), false},
                                                  {Path("plainfile"), false},
                                                  {Path("missing/child"), false},
                                                  {last, false}});
    EXPECT_EQ(chosen, last);
    EXPECT_FALSE(QFileInfo::exists(Path("missing")));
}

TEST_F(TempFolderTest, CacheCandidateMayCreateItsParents) {
    const QString nested = Path("cache/deeper/orvo");
    EXPECT_EQ(FirstUsableTempFolder({{nested, true}}), nested);
}

TEST_F(TempFolderTest, NoUsableCandidateNamesTheLastPath) {
    const QString last = Path("nowhere/b");
    try {
        FirstUsableTempFolder({{Path("nowhere/a"), false}, {last, false}});
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot create ") + last);
    }
}

TEST(TempFolder, IsMadeAgainAtTheSamePlaceAfterItWasRemoved) {
    ClearGenUtilCaches();
    EXPECT_TRUE(CachedTempFolder().isEmpty());
    const QString first = TempFolder();
    EXPECT_TRUE(QFileInfo(first).isDir());
    QDir(first).removeRecursively();
    EXPECT_EQ(TempFolder(), first);
    EXPECT_TRUE(QFileInfo(first).isDir());
    EXPECT_EQ(CachedTempFolder(), first);
    ClearGenUtilCaches();
}

TEST(WidgetWalks, WidenButtonsOnlyAboveNormalResolution) {
    QWidget window;
    auto* inner = new QWidget(&window);
    auto* button = new QPushButton(QStringLiteral("OK"), inner);
    button->setGeometry(10, 20, 72, 25);
    WidenButtonsForDpi(&window, 96);
    EXPECT_EQ(button->width(), 72);
    WidenButtonsForDpi(&window, 120);
    EXPECT_EQ(button->width(), 76); // 76.5 rounds to the even 76
    EXPECT_EQ(button->height(), 25);
    EXPECT_EQ(button->pos(), QPoint(10, 20));
}

TEST(WidgetWalks, SetEnabledDeepSkipsExceptionsButVisitsTheirChildren) {
    QWidget window;
    auto* panel = new QWidget(&window);
    auto* button = new QPushButton(panel);
    auto* other = new QPushButton(&window);
    SetEnabledDeep(&window, false, {&window, panel});
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_FALSE(button->isEnabledTo(panel));
    EXPECT_FALSE(other->isEnabledTo(&window));
    SetEnabledDeep(&window, true, {});
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(IsInControlList(panel, {panel}));
    EXPECT_FALSE(IsInControlList(nullptr, {nullptr}));
}

TEST(WidgetWalks, SetCursorDeepReachesEveryWidget) {
    QWidget window;
    auto* child = new QWidget(&window);
    auto* grandChild = new QWidget(child);
    SetCursorDeep(&window, Qt::WaitCursor);
    for (QWidget* w : {&window, child, grandChild})
        EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
}

} // namespace
