// SPDX-License-Identifier: MIT
// Rotating, flipping and resizing the shown image, the automatic save of large rotated images,
// the two overwrite questions and their answers, Save and Save As with their file naming, failed
// saves that keep both the file and the changes, and renaming the shown file.
#include "ViewerFixture.h"

#include "dialogs/HelpDlgUnit.h"
#include "dialogs/RenameDlgUnit.h"
#include "imaging/Bitmap.h"
#include "imaging/ImageFormats.h"
#include "imaging/PictureSaving.h"
#include "tools/ToolsFormUnit.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

namespace {

// Answers the modal boxes that come up, in order, each through the next of `answers` (given the
// box, it returns the result); any further box is answered Cancel. Records every box's title and,
// for the program's message box, its detail text. Stops watching when it goes.
class ModalAnswers {
public:
    using Answer = std::function<int(QDialog*)>;
    explicit ModalAnswers(QList<Answer> answers = {}) : answers_(std::move(answers)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
        poll_.start(5);
    }
    static Answer Result(int result) {
        return [result](QDialog*) { return result; };
    }

    QStringList titles;
    QStringList details;

private:
    void Poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        titles << dialog->windowTitle();
        const auto* box = qobject_cast<THelpDlg*>(dialog);
        details << (box ? box->DetailText() : QString());
        const int result = answers_.isEmpty() ? 2 : answers_.takeFirst()(dialog);
        if (qobject_cast<QMessageBox*>(dialog))
            dialog->accept();
        else
            dialog->done(result);
    }

    QList<Answer> answers_;
    QTimer poll_;
};

constexpr int Yes = 1, No = 2, DiscardChanges = 3;
const QString SmallImageText = QStringLiteral("Rotating or flipping an image of this small size");
const QString GeneralText = QStringLiteral("Whenever an image is resized or modified");

struct ImageFile {
    QString name;
    int width;
    int height;
};

// A red picture with one blue pixel at the top left, to see where a transform put it.
QImage MarkedImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(0, 0, qRgb(0, 0, 255));
    return image;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ViewerModifyTest : public ViewerFixture {
protected:
    // A folder of marked pictures, opened with the first one shown.
    TFolderViewForm* OpenSized(const QList<ImageFile>& files) {
        const QString path = root.filePath(QStringLiteral("M"));
        QDir().mkpath(path);
        for (const ImageFile& file : files) {
            const QString suffix = QFileInfo(file.name).suffix().toUpper();
            EXPECT_TRUE(MarkedImage(file.width, file.height)
                            .save(JoinPath(path, file.name), suffix.toLatin1().constData()))
                << file.name.toStdString();
        }
        TFolderViewForm* view = Open(path);
        EXPECT_TRUE(WaitFor([this] { return Form().HasImage(); }));
        folder = path;
        return view;
    }
    QString PathOf(const QString& name) const { return JoinPath(folder, name); }
    QImage Stored(const QString& name) const { return QImage(PathOf(name)); }
    // Save As answers with `choice` (none: cancelled) and remembers what it was offered.
    void ChooseSavePath(std::optional<TMainForm::SavePathChoice> choice) {
        Form().SetSavePathChooser([this, choice](const QString& initialPath) {
            offeredPaths << initialPath;
            return choice;
        });
    }
    // Starts a slide show over the folder and changes the shown picture while it is paused (the
    // only time rotating is allowed); the show runs again afterwards.
    void RotateDuringSlideShow() {
        Form().StartSlideShow();
        ASSERT_TRUE(Form().SlideShowRunning());
        Form().PauseSlideShow();
        Form().TransformImage(1);
        Form().PauseSlideShow();
        ASSERT_TRUE(Form().SlideShowRunning());
        ASSERT_TRUE(Form().ImageModified());
    }
    // The timer that loads the next image ahead once the shown one has been looked at.
    QTimer* PreloadTimer() {
        for (QTimer* timer : Form().findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
            if (timer->objectName().isEmpty() && timer->isSingleShot() && timer->interval() == 100)
                return timer;
        return nullptr;
    }
    QString StatusText() {
        QStringList texts;
        for (const QLabel* label : Form().statusBar()->findChildren<QLabel*>())
            texts << label->text();
        return texts.join(QLatin1Char('|'));
    }

    QString folder;
    QStringList offeredPaths;
};

// --- transforms ---

TEST_F(ViewerModifyTest, EachTransformCodeMovesTheCornerPixelWhereItBelongs) {
    const struct {
        int code;
        QSize size;
        QPoint blue;
    } cases[] = {
        {1, {3, 4}, {2, 0}}, {2, {4, 3}, {3, 2}}, {3, {3, 4}, {0, 3}},
        {4, {4, 3}, {3, 0}}, {5, {4, 3}, {0, 2}},
    };
    OpenSized({{QStringLiteral("a.png"), 4, 3}});
    for (const auto& c : cases) {
        Form().ReloadImage();
        Form().TransformImage(c.code);
        const QImage shown = Form().Picture().Graphic()->ToImage();
        EXPECT_EQ(shown.size(), c.size) << c.code;
        EXPECT_EQ(shown.pixel(c.blue), qRgb(0, 0, 255)) << c.code;
        EXPECT_TRUE(Form().ImageModified());
    }
    EXPECT_TRUE(StatusText().contains(QStringLiteral("a.png (4x3) (Modified)")))
        << StatusText().toStdString();
    EXPECT_TRUE(Form().findChild<QToolButton*>(QStringLiteral("SBtnSave"))->isEnabled());
}

TEST_F(ViewerModifyTest, ResizingMarksTheImageResizedAndAZeroSizeChangesNothing) {
    OpenSized({{QStringLiteral("a.png"), 40, 30}});
    ModalAnswers answers;
    EXPECT_FALSE(Form().ResizeImage(0, 100));
    EXPECT_EQ(answers.titles, QStringList{QStringLiteral("Error")});
    EXPECT_FALSE(Form().ImageModified());
    EXPECT_EQ(Form().Picture().Width(), 40);
    EXPECT_TRUE(Form().ResizeImage(20, 10));
    EXPECT_TRUE(Form().ImageModified());
    EXPECT_TRUE(Form().ImageResized());
    EXPECT_EQ(Form().Picture().Width(), 20);
    EXPECT_EQ(Form().Picture().Height(), 10);
}

TEST_F(ViewerModifyTest, RotationIsRefusedWhileASlideShowRunsButResizingIsNot) {
    OpenSized({{QStringLiteral("a.png"), 40, 30}, {QStringLiteral("b.png"), 40, 30}});
    Form().StartSlideShow();
    ASSERT_TRUE(Form().SlideShowRunning());
    Form().TransformImage(1);
    EXPECT_FALSE(Form().ImageModified());
    Form().ResizeImage(20, 10);
    EXPECT_TRUE(Form().ImageModified());
    Form().StopSlideShow();
}

// --- leaving a modified image ---

// The automatic save takes pictures whose smaller side is above 300; the rest are asked about.
TEST_F(ViewerModifyTest, ARotatedImageIsSavedSilentlyOnlyWhenItsSmallerSideIsAbove300) {
    const struct {
        int width, height;
        bool saved;
    } cases[] = {{640, 480, true}, {301, 301, true}, {300, 200, false}, {800, 300, false}};
    for (const auto& c : cases) {
        form.reset();
        QDir(root.filePath(QStringLiteral("M"))).removeRecursively();
        OpenSized({{QStringLiteral("a.png"), c.width, c.height}, {QStringLiteral("b.png"), 8, 6}});
        const QByteArray before = Bytes(PathOf(QStringLiteral("a.png")));
        ModalAnswers answers({ModalAnswers::Result(DiscardChanges)});
        Form().TransformImage(1);
        Form().NextImage();
        EXPECT_EQ(Shown(), QStringLiteral("b.png")) << c.width;
        if (c.saved) {
            EXPECT_TRUE(answers.titles.isEmpty()) << c.width;
            const QImage stored = Stored(QStringLiteral("a.png"));
            EXPECT_EQ(stored.size(), QSize(c.height, c.width));
            EXPECT_EQ(stored.pixel(c.height - 1, 0), qRgb(0, 0, 255));
        } else {
            ASSERT_EQ(answers.details.size(), 1) << c.width;
            EXPECT_TRUE(answers.details.first().startsWith(SmallImageText));
            EXPECT_EQ(Bytes(PathOf(QStringLiteral("a.png"))), before) << c.width;
        }
    }
}

// A resized picture, large or small, is always asked about with the general question.
TEST_F(ViewerModifyTest, AResizedImageAsksTheGeneralQuestionEvenWithAutomaticSaving) {
    const struct { int side, resizedTo; } cases[] = {{2000, 1000}, {30, 20}};
    for (const auto& c : cases) {
        form.reset();
        QDir(root.filePath(QStringLiteral("M"))).removeRecursively();
        OpenSized({{QStringLiteral("a.png"), c.side, c.side}, {QStringLiteral("b.png"), 8, 6}});
        ASSERT_TRUE(Form().AutoSaveImages());
        const QByteArray before = Bytes(PathOf(QStringLiteral("a.png")));
        ModalAnswers answers({ModalAnswers::Result(DiscardChanges)});
        Form().ResizeImage(c.resizedTo, c.resizedTo);
        Form().NextImage();
        ASSERT_EQ(answers.details.size(), 1) << c.side;
        EXPECT_EQ(
            answers.titles.first(),
            QStringLiteral("Overwrite current image file with modified image before continuing?"));
        EXPECT_TRUE(answers.details.first().startsWith(GeneralText)) << c.side;
        EXPECT_EQ(Shown(), QStringLiteral("b.png"));
        EXPECT_EQ(Bytes(PathOf(QStringLiteral("a.png"))), before);
    }
}

TEST_F(ViewerModifyTest, WithoutAutomaticSavingEvenALargeRotatedImageIsAskedAbout) {
    OpenSized({{QStringLiteral("a.png"), 640, 480}, {QStringLiteral("b.png"), 8, 6}});
    Form().SetAutoSaveImages(false);
    ModalAnswers answers({ModalAnswers::Result(Yes)});
    Form().TransformImage(3);
    Form().NextImage();
    ASSERT_EQ(answers.details.size(), 1);
    EXPECT_TRUE(answers.details.first().startsWith(GeneralText));
    // "Yes" overwrote the file and moved on.
    EXPECT_EQ(Stored(QStringLiteral("a.png")).size(), QSize(480, 640));
    EXPECT_EQ(Shown(), QStringLiteral("b.png"));
}

TEST_F(ViewerModifyTest, DiscardedChangesAreNotAskedAboutAgain) {
    OpenSized({{QStringLiteral("a.png"), 30, 20}, {QStringLiteral("b.png"), 8, 6}});
    ModalAnswers answers({ModalAnswers::Result(DiscardChanges)});
    Form().TransformImage(1);
    EXPECT_FALSE(Form().PromptSaveModified());
    EXPECT_TRUE(Form().ChangesDiscarded());
    EXPECT_FALSE(Form().PromptSaveModified());
    EXPECT_EQ(answers.titles.size(), 1);
    // The changed picture stays until the image is left.
    EXPECT_EQ(Form().Picture().Width(), 20);
    EXPECT_TRUE(Form().ImageModified());
}

TEST_F(ViewerModifyTest, NoAndACancelledSaveAsMoveOnWithoutSaving) {
    OpenSized({{QStringLiteral("a.png"), 30, 20}, {QStringLiteral("b.png"), 8, 6}});
    const QByteArray before = Bytes(PathOf(QStringLiteral("a.png")));
    ChooseSavePath(std::nullopt);
    ModalAnswers answers({ModalAnswers::Result(No)});
    Form().TransformImage(1);
    Form().NextImage();
    EXPECT_EQ(offeredPaths, QStringList{PathOf(QStringLiteral("a.png"))});
    EXPECT_EQ(Shown(), QStringLiteral("b.png"));
    EXPECT_EQ(Bytes(PathOf(QStringLiteral("a.png"))), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
}

// Only "Discard Changes" discards; a question closed any other way (a nested event loop ending
// it, say) decided nothing, so the step is abandoned and the changes stay.
TEST_F(ViewerModifyTest, OnlyDiscardChangesDiscardsAndAnyOtherEndAbandonsTheStep) {
    const struct {
        int result;
        bool abandoned;
    } cases[] = {{-1, true}, {0, true}, {7, true}, {DiscardChanges, false}};
    OpenSized({{QStringLiteral("a.png"), 30, 20}, {QStringLiteral("b.png"), 8, 6}});
    Form().TransformImage(1);
    for (const auto& c : cases) {
        ModalAnswers answers({ModalAnswers::Result(c.result)});
        EXPECT_EQ(Form().PromptSaveModified(), c.abandoned) << c.result;
        EXPECT_EQ(answers.titles.size(), 1) << c.result;
        EXPECT_EQ(Form().ChangesDiscarded(), !c.abandoned) << c.result;
        EXPECT_TRUE(Form().ImageModified()) << c.result;
    }
}

// While the question or the Save Image dialog is up, timers and notifications still run; a step
// they start (here the next image, or another question) waits by being abandoned instead of
// asking again over the first question or leaving the image under it.
TEST_F(ViewerModifyTest, AStepTakenWhileTheQuestionIsUpIsAbandoned) {
    for (const bool inSaveDialog : {false, true}) {
        SCOPED_TRACE(inSaveDialog ? "Save Image dialog" : "question");
        form.reset();
        QDir(root.filePath(QStringLiteral("M"))).removeRecursively();
        OpenSized({{QStringLiteral("a.png"), 30, 20}, {QStringLiteral("b.png"), 8, 6}});
        Form().TransformImage(1);
        std::optional<bool> nestedAnswer;
        QStringList nestedQuestions;
        QString shownMeanwhile;
        const auto stepMeanwhile = [&] {
            ModalAnswers inner({ModalAnswers::Result(DiscardChanges)});
            nestedAnswer = Form().PromptSaveModified();
            Form().NextImage();
            nestedQuestions = inner.titles;
            shownMeanwhile = Shown();
        };
        Form().SetSavePathChooser([&](const QString&) {
            stepMeanwhile();
            return std::optional<TMainForm::SavePathChoice>();
        });
        ModalAnswers answers({[&](QDialog*) {
            if (inSaveDialog)
                return No;
            stepMeanwhile();
            return DiscardChanges;
        }});
        Form().NextImage();
        EXPECT_EQ(nestedAnswer, true);
        EXPECT_TRUE(nestedQuestions.isEmpty());
        EXPECT_EQ(shownMeanwhile, QStringLiteral("a.png"));
        EXPECT_EQ(answers.titles.size(), 1);
        EXPECT_EQ(Shown(), QStringLiteral("b.png"));
    }
}

// A slide-show tick that leaves a modified image saves it as any other step does: the automatic
// save and "Yes" write the file, "No" offers Save As. The show does not tick while the user is
// asked and goes on afterwards.
TEST_F(ViewerModifyTest, LeavingAModifiedImageDuringASlideShowSavesAsWithoutOne) {
    const struct {
        const char* what;
        int width, height;
        QList<int> answers;
        bool saved, offeredSaveAs;
    } cases[] = {
        {"automatic save", 640, 480, {}, true, false},
        {"Yes", 30, 20, {Yes}, true, false},
        {"No", 30, 20, {No}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        form.reset();
        QDir(root.filePath(QStringLiteral("M"))).removeRecursively();
        OpenSized({{QStringLiteral("a.png"), c.width, c.height}, {QStringLiteral("b.png"), 8, 6}});
        const QByteArray before = Bytes(PathOf(QStringLiteral("a.png")));
        offeredPaths.clear();
        ChooseSavePath(std::nullopt);
        RotateDuringSlideShow();
        QList<bool> tickingWhileAsked;
        QList<ModalAnswers::Answer> replies;
        for (int answer : c.answers)
            replies << [this, answer, &tickingWhileAsked](QDialog*) {
                tickingWhileAsked << Form().SlideShowTimer()->isActive();
                return answer;
            };
        ModalAnswers answers(replies);
        Form().SlideShowTimerTimer();
        EXPECT_TRUE(WaitFor([this] { return Shown() == QStringLiteral("b.png"); }));
        EXPECT_EQ(answers.titles.size(), c.answers.size());
        EXPECT_EQ(tickingWhileAsked, QList<bool>(c.answers.size(), false));
        if (c.saved)
            EXPECT_EQ(Stored(QStringLiteral("a.png")).size(), QSize(c.height, c.width));
        else
            EXPECT_EQ(Bytes(PathOf(QStringLiteral("a.png"))), before);
        EXPECT_EQ(offeredPaths.size(), c.offeredSaveAs ? 1 : 0);
        EXPECT_TRUE(Form().SlideShowRunning());
        EXPECT_TRUE(Form().SlideShowTimer()->isActive());
        Form().StopSlideShow();
    }
}

// Save As answers about the picture it was opened for: when another image came up, the file was
// reloaded or the picture changed again while the dialog was up, nothing is written.
TEST_F(ViewerModifyTest, SaveAsGivesUpWhenThePictureChangedWhileTheDialogWasUp) {
    const struct {
        const char* what;
        std::function<void(TMainForm&, TFolderViewForm*)> meanwhile;
        const char* shown;
        bool modified;
    } cases[] = {
        {"another image shown",
         [](TMainForm& f, TFolderViewForm* view) { f.ShowImage(view, QStringLiteral("b.png")); },
         "b.png", false},
        {"the file reloaded", [](TMainForm& f, TFolderViewForm*) { f.ReloadImage(); }, "a.png",
         false},
        {"changed again", [](TMainForm& f, TFolderViewForm*) { f.TransformImage(1); }, "a.png",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        form.reset();
        QDir(root.filePath(QStringLiteral("M"))).removeRecursively();
        TFolderViewForm* view =
            OpenSized({{QStringLiteral("a.png"), 30, 20}, {QStringLiteral("b.png"), 8, 6}});
        Form().TransformImage(1);
        Form().SetSavePathChooser([&](const QString&) {
            c.meanwhile(Form(), view);
            return std::optional(
                TMainForm::SavePathChoice{PathOf(QStringLiteral("new.png")), true});
        });
        EXPECT_FALSE(Form().SaveImageAs());
        EXPECT_FALSE(QFileInfo::exists(PathOf(QStringLiteral("new.png"))));
        EXPECT_EQ(Shown(), QLatin1String(c.shown));
        EXPECT_EQ(Form().ImageModified(), c.modified);
        EXPECT_FALSE(Form().ChangesDiscarded());
    }
}

// Without a way to ask where to save, Save As neither asks nor decides anything.
TEST_F(ViewerModifyTest, SaveAsWithoutAChooserAsksNothingAndKeepsTheChanges) {
    OpenSized({{QStringLiteral("a.png"), 30, 20}});
    Form().TransformImage(1);
    Form().SetSavePathChooser(nullptr);
    ModalAnswers answers;
    EXPECT_FALSE(Form().SaveImageAs());
    EXPECT_TRUE(answers.titles.isEmpty());
    EXPECT_TRUE(Form().ImageModified());
    EXPECT_FALSE(Form().ChangesDiscarded());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("a.png")});
}

TEST_F(ViewerModifyTest, SaveAsToANewNameWithOpenSavedImageShowsItAndAbandonsTheStep) {
    TFolderViewForm* view =
        OpenSized({{QStringLiteral("a.png"), 30, 20}, {QStringLiteral("b.png"), 8, 6}});
    const QByteArray before = Bytes(PathOf(QStringLiteral("a.png")));
    ChooseSavePath(TMainForm::SavePathChoice{PathOf(QStringLiteral("new.png")), true});
    ModalAnswers answers({ModalAnswers::Result(No)});
    Form().TransformImage(1);
    Form().NextImage();
    EXPECT_EQ(Shown(), QStringLiteral("new.png"));
    EXPECT_EQ(Form().CurrentImagePath(), PathOf(QStringLiteral("new.png")));
    EXPECT_FALSE(Form().ImageModified());
    EXPECT_EQ(Form().Picture().Width(), 20);
    EXPECT_EQ(Stored(QStringLiteral("new.png")).size(), QSize(20, 30));
    EXPECT_EQ(Bytes(PathOf(QStringLiteral("a.png"))), before);
    EXPECT_TRUE(view->Model().IsListed(QStringLiteral("new.png")));
    EXPECT_EQ(view->Model().FirstSelected(), QStringLiteral("new.png"));
}

TEST_F(ViewerModifyTest, SaveAsANameWithoutExtensionTakesTheShownFilesExtensionInLowerCase) {
    TFolderViewForm* view = OpenSized({{QStringLiteral("Pic.PNG"), 30, 20}});
    ChooseSavePath(TMainForm::SavePathChoice{PathOf(QStringLiteral("copy")), false});
    Form().TransformImage(2);
    EXPECT_FALSE(Form().SaveImageAs());
    EXPECT_TRUE(QFileInfo(PathOf(QStringLiteral("copy.png"))).isFile());
    EXPECT_FALSE(QFileInfo::exists(PathOf(QStringLiteral("copy"))));
    // Not opened: the viewer stays on the shown file, no longer modified; the folder lists the
    // copy.
    EXPECT_EQ(Shown(), QStringLiteral("Pic.PNG"));
    EXPECT_FALSE(Form().ImageModified());
    EXPECT_TRUE(view->Model().IsListed(QStringLiteral("copy.png")));
}

// --- saving ---

TEST_F(ViewerModifyTest, SavingRefreshesTheFolderListing) {
    TFolderViewForm* view =
        OpenSized({{QStringLiteral("a.png"), 64, 48}, {QStringLiteral("b.png"), 8, 6}});
    Form().ResizeImage(640, 480);
    Form().SaveImage();
    EXPECT_FALSE(Form().ImageModified());
    EXPECT_FALSE(Form().findChild<QToolButton*>(QStringLiteral("SBtnSave"))->isEnabled());
    EXPECT_EQ(Stored(QStringLiteral("a.png")).size(), QSize(640, 480));
    // The listed size follows the file, and the thumbnail is rendered anew.
    EXPECT_EQ(view->Model().TotalBytes(), QFileInfo(PathOf(QStringLiteral("a.png"))).size() +
                                              QFileInfo(PathOf(QStringLiteral("b.png"))).size());
}

TEST_F(ViewerModifyTest, AModifiedIconIsSavedBesideItselfAsABitmap) {
    TFolderViewForm* view = OpenSized({{QStringLiteral("x.ico"), 16, 8}});
    const QByteArray icon = Bytes(PathOf(QStringLiteral("x.ico")));
    Form().TransformImage(1);
    Form().SaveImage();
    EXPECT_EQ(Bytes(PathOf(QStringLiteral("x.ico"))), icon);
    const QImage saved = Stored(QStringLiteral("x.ico.bmp"));
    EXPECT_EQ(saved.size(), QSize(8, 16));
    EXPECT_FALSE(Form().ImageModified());
    EXPECT_EQ(Shown(), QStringLiteral("x.ico"));
    EXPECT_TRUE(view->Model().IsListed(QStringLiteral("x.ico.bmp")));
}

// A save whose target cannot be written (here a folder stands where the file would go) reports
// the error, leaves every file as it was and keeps the picture modified.
TEST_F(ViewerModifyTest, AFailedSaveLeavesTheFilesAsTheyWereAndTheImageModified) {
    const struct {
        const char* name;
        std::function<void(TMainForm&)> save;
    } cases[] = {
        {"Save", [](TMainForm& f) { f.SaveImage(); }},
        {"Save As", [](TMainForm& f) { EXPECT_FALSE(f.SaveImageAs()); }},
    };
    for (const auto& c : cases) {
        form.reset();
        QDir(root.filePath(QStringLiteral("M"))).removeRecursively();
        OpenSized({{QStringLiteral("x.ico"), 16, 8}});
        ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("x.ico.bmp")));
        ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("sub.png")));
        ChooseSavePath(TMainForm::SavePathChoice{PathOf(QStringLiteral("sub.png")), true});
        const QByteArray icon = Bytes(PathOf(QStringLiteral("x.ico")));
        Form().TransformImage(1);
        ModalAnswers answers;
        c.save(Form());
        EXPECT_EQ(answers.titles, QStringList{QStringLiteral("Error")}) << c.name;
        EXPECT_TRUE(Form().ImageModified()) << c.name;
        EXPECT_EQ(Bytes(PathOf(QStringLiteral("x.ico"))), icon) << c.name;
        EXPECT_TRUE(QFileInfo(PathOf(QStringLiteral("x.ico.bmp"))).isDir()) << c.name;
        EXPECT_TRUE(QFileInfo(PathOf(QStringLiteral("sub.png"))).isDir()) << c.name;
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("x.ico")});
    }
}

// "Yes" whose save fails stays on the image, still modified, so the changes are not lost.
TEST_F(ViewerModifyTest, YesWithAFailedSaveStaysOnTheModifiedImage) {
    OpenSized({{QStringLiteral("a.png"), 8, 6}, {QStringLiteral("x.ico"), 16, 8}});
    Form().NextImage();
    ASSERT_EQ(Shown(), QStringLiteral("x.ico"));
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("x.ico.bmp")));
    ModalAnswers answers({ModalAnswers::Result(Yes)});
    Form().TransformImage(1);
    Form().NextImage();
    EXPECT_EQ(answers.titles.size(), 2); // the question, then the error
    EXPECT_EQ(Shown(), QStringLiteral("x.ico"));
    EXPECT_TRUE(Form().ImageModified());
}

// A file name so long that no temporary file can be made beside it makes the automatic save
// fail: the general question is asked instead, once, and the file stays as it was.
TEST_F(ViewerModifyTest, AFailedAutomaticSaveAsksTheGeneralQuestionInstead) {
    const QString longName = QString(248, QLatin1Char('n')) + QStringLiteral(".png");
    OpenSized({{longName, 640, 480}, {QStringLiteral("zz.png"), 8, 6}});
    ASSERT_EQ(Shown(), longName);
    const QByteArray before = Bytes(PathOf(longName));
    ModalAnswers answers({ModalAnswers::Result(1), ModalAnswers::Result(DiscardChanges)});
    Form().TransformImage(1);
    Form().NextImage();
    ASSERT_EQ(answers.titles.size(), 2);
    EXPECT_EQ(answers.titles.first(), QStringLiteral("Error"));
    EXPECT_TRUE(answers.details.at(1).startsWith(GeneralText));
    EXPECT_EQ(Shown(), QStringLiteral("zz.png"));
    EXPECT_EQ(Bytes(PathOf(longName)), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
}

// A neighbour loaded ahead is not shown after a save rewrote its file, even when the new file
// has the same size and (on a coarse clock) the same time.
TEST_F(ViewerModifyTest, AFileOverwrittenBySaveAsIsShownAsWrittenNotAsLoadedAhead) {
    folder = root.filePath(QStringLiteral("M"));
    QDir().mkpath(folder);
    for (const QString& name : {QStringLiteral("a.bmp"), QStringLiteral("b.bmp")})
        SavePictureAs(TBitmap(MarkedImage(8, 6)), PathOf(name));
    const QString neighbour = PathOf(QStringLiteral("b.bmp"));
    // A time the file system keeps exactly, so it can be given to the rewritten file as well.
    const QDateTime stamp = QDateTime::fromSecsSinceEpoch(1700000000);
    const auto setStamp = [&neighbour, &stamp] {
        QFile file(neighbour);
        return file.open(QIODevice::ReadWrite) &&
               file.setFileTime(stamp, QFileDevice::FileModificationTime);
    };
    ASSERT_TRUE(setStamp());
    const qint64 originalSize = QFileInfo(neighbour).size();
    Open(folder);
    ASSERT_TRUE(WaitFor([this] { return Form().HasImage(); }));
    QTimer* preload = PreloadTimer();
    ASSERT_NE(preload, nullptr);
    ASSERT_TRUE(WaitFor([preload] { return !preload->isActive(); }));

    Form().TransformImage(2); // the blue corner goes to the bottom right
    ChooseSavePath(TMainForm::SavePathChoice{neighbour, false});
    EXPECT_FALSE(Form().SaveImageAs());
    ASSERT_TRUE(setStamp());
    ASSERT_EQ(QFileInfo(neighbour).size(), originalSize);
    ASSERT_EQ(QFileInfo(neighbour).lastModified(), stamp);

    Form().NextImage();
    ASSERT_EQ(Shown(), QStringLiteral("b.bmp"));
    const QImage shown = Form().Picture().Graphic()->ToImage();
    EXPECT_EQ(shown.pixel(7, 5), qRgb(0, 0, 255));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
}

// --- the image tools window ---

// The save button offers the save even after "Discard Changes", and keeps the picture when the
// user now saves it.
TEST_F(ViewerModifyTest, TheToolboxSaveButtonOffersTheSaveAgainAfterDiscardChanges) {
    OpenSized({{QStringLiteral("a.png"), 30, 20}, {QStringLiteral("b.png"), 8, 6}});
    Form().TransformImage(1);
    {
        ModalAnswers discard({ModalAnswers::Result(DiscardChanges)});
        EXPECT_FALSE(Form().PromptSaveModified());
    }
    ASSERT_TRUE(Form().ChangesDiscarded());
    ModalAnswers answers({ModalAnswers::Result(Yes)});
    Form().ShowToolbox();
    ASSERT_TRUE(Form().ToolBox()->SBtnSave()->isEnabled());
    Form().ToolBox()->SBtnSave()->click();
    EXPECT_EQ(answers.titles.size(), 1);
    EXPECT_EQ(Stored(QStringLiteral("a.png")).size(), QSize(20, 30));
    EXPECT_FALSE(Form().ImageModified());
    EXPECT_EQ(Form().Picture().Width(), 20); // not reloaded from the file's old picture
}

// A floating folder view made current leaves the viewer on the image of the folder before:
// renaming and reloading, which act on the current folder's file of that name, do nothing.
TEST_F(ViewerModifyTest, RenameAndToolboxReloadLeaveAnotherFoldersImageAlone) {
    const QString first = MakeFolder(QStringLiteral("F1"), {QStringLiteral("x.png")});
    const QString second = MakeFolder(QStringLiteral("F2"), {QStringLiteral("x.png")});
    TFolderViewForm* firstView = Open(first);
    ASSERT_TRUE(WaitFor([this] { return Form().HasImage(); }));
    Open(second);
    const QString shown = JoinPath(second, QStringLiteral("x.png"));
    ASSERT_TRUE(WaitFor([&] { return Form().CurrentImagePath() == shown; }));
    Form().TransformImage(1);
    Form().SetCurrentFolder(firstView);

    ModalAnswers answers;
    Form().RenameImage();
    Form().ToolBox()->findChild<QPushButton*>(QStringLiteral("SBtnReload"))->click();
    EXPECT_TRUE(answers.titles.isEmpty()) << answers.titles.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(Form().CurrentImagePath(), shown);
    EXPECT_TRUE(Form().ImageModified());
    EXPECT_EQ(QDir(first).entryList(QDir::Files), QStringList{QStringLiteral("x.png")});
    EXPECT_EQ(QDir(second).entryList(QDir::Files), QStringList{QStringLiteral("x.png")});
}

// --- menu items ---

TEST_F(ViewerModifyTest, SaveAsAndRenameMenuItemsRunTheirCommands) {
    OpenSized({{QStringLiteral("a.png"), 30, 20}});
    ChooseSavePath(std::nullopt);
    Form().findChild<QAction*>(QStringLiteral("SaveAs1"))->trigger();
    EXPECT_EQ(offeredPaths.size(), 1);
    ModalAnswers answers;
    Form().findChild<QAction*>(QStringLiteral("Rename1"))->trigger();
    EXPECT_EQ(answers.titles, QStringList{QStringLiteral("Rename Image File")});
}

// --- renaming ---

TEST_F(ViewerModifyTest, RenamingKeepsTheExtensionAndIgnoresALetterCaseChange) {
    const struct {
        const char* typed;
        const char* result; // the shown name afterwards
    } cases[] = {{"photo", "Photo.PNG"},
                 {"Photo", "Photo.PNG"},
                 {"", "Photo.PNG"},
                 {"holiday.jpg", "holiday.PNG"}};
    TFolderViewForm* view = OpenSized({{QStringLiteral("Photo.PNG"), 8, 6}});
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        ModalAnswers answers({[typed](QDialog* dialog) {
            static_cast<TRenameDlg*>(dialog)->EdtNewFileName()->setText(typed);
            return 1;
        }});
        Form().RenameImage();
        EXPECT_EQ(answers.titles.size(), 1) << c.typed;
        EXPECT_EQ(Shown(), QLatin1String(c.result)) << c.typed;
    }
    EXPECT_EQ(Form().CurrentImagePath(), PathOf(QStringLiteral("holiday.PNG")));
    EXPECT_TRUE(Form().windowTitle().endsWith(QStringLiteral("/holiday.PNG")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("holiday.PNG")});
    EXPECT_EQ(view->Model().ImageFiles(), QStringList{QStringLiteral("holiday.PNG")});
}

TEST_F(ViewerModifyTest, RenamingToATakenNameComplainsAndAsksAgainWithTheTypedText) {
    OpenSized({{QStringLiteral("a.png"), 8, 6}, {QStringLiteral("b.png"), 8, 6}});
    QString typedAgain;
    ModalAnswers answers(
        {[](QDialog* dialog) {
             static_cast<TRenameDlg*>(dialog)->EdtNewFileName()->setText(QStringLiteral("b"));
             return 1;
         },
         ModalAnswers::Result(1), // the error box
         [&typedAgain](QDialog* dialog) {
             typedAgain = static_cast<TRenameDlg*>(dialog)->EdtNewFileName()->text();
             return 2;
         }});
    Form().RenameImage();
    ASSERT_EQ(answers.titles.size(), 3);
    EXPECT_EQ(
        answers.details.at(1),
        QStringLiteral("A file by this name already exists. Please choose a different name."));
    EXPECT_EQ(typedAgain, QStringLiteral("b"));
    EXPECT_EQ(Shown(), QStringLiteral("a.png"));
    EXPECT_TRUE(QFileInfo::exists(PathOf(QStringLiteral("a.png"))));
}

} // namespace
