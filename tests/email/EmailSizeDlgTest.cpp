// SPDX-License-Identifier: MIT
// The e-mail wizard window: its settings, the file list and preview, showing and hiding, and a
// whole send run through a stand-in mail program.
#include "EmailTestSupport.h"
#include "email/EmailHost.h"
#include "email/EmailSizeFormUnit.h"
#include "email/EmailTexts.h"
#include "email/MailSender.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "platform/MailHandoff.h"
#include "settings/RegistryUnit.h"
#include "viewer/MainUnit.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace email_test;

namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

class FakeEmailHost : public EmailHost {
public:
    bool slideShow = false;
    QString folder;
    QStringList selection;
    QList<bool> busyCalls;

    bool SlideShowRunning() const override { return slideShow; }
    QString CurrentFolderPath() const override { return folder; }
    QStringList CurrentSelection() const override { return selection; }
    void SetBusy(bool busy) override { busyCalls << busy; }
};

class EmailSizeDlgTest : public testing::Test {
protected:
    QTemporaryDir source;
    FakeEmailHost host;

    void SetUp() override {
        ASSERT_TRUE(source.isValid());
        QFile::remove(SettingsStorePath());
        SetScreenResolutionOverride(96);
    }
    void TearDown() override { SetScreenResolutionOverride(0); }

    QString Add(const char* name, const QByteArray& bytes) {
        return WriteFile(source.path(), S(name), bytes);
    }
    QString Photo() { return Add("photo.jpg", JpegOfFileSize(1600, 1200, 200000)); }

    static QStringList Rows(const TEmailSizeDlg& wizard) {
        QStringList rows;
        for (int i = 0; i < wizard.FileListBox()->count(); ++i)
            rows << wizard.FileListBox()->item(i)->text();
        return rows;
    }
    static int RightEdgePlus16(const QWidget* widget) { return widget->x() + widget->width() + 16; }

    // Presses "Send Email" and runs until the mail program's answer has been dealt with.
    static std::optional<bool> Send(TEmailSizeDlg& wizard) {
        std::optional<bool> sent;
        QObject::connect(&wizard, &TEmailSizeDlg::SendFinished, &wizard,
                         [&sent](bool success) { sent = success; });
        QTest::mouseClick(wizard.SBtnContinue(), Qt::LeftButton);
        EXPECT_TRUE(RunUntil([&] { return sent.has_value(); })) << "the send run never ended";
        return sent;
    }
};

} // namespace

TEST_F(EmailSizeDlgTest, StartsEmptyWithItsTextsAndTheListPaneHidden) {
    TEmailSizeDlg wizard(&host);
    EXPECT_EQ(wizard.windowTitle(), S("No Files to Email"));
    EXPECT_FALSE(wizard.isModal());
    EXPECT_EQ(wizard.RGSpeed()->title(), S("Image Size (Your Internet Connection Speed)"));
    EXPECT_EQ(wizard.SpeedButton(0)->text(), S("Large (Cable/DSL)"));
    EXPECT_EQ(wizard.SpeedButton(1)->text(), S("Medium (56K Modem)"));
    EXPECT_EQ(wizard.SpeedButton(2)->text(), S("Small (28.8K Modem)"));
    EXPECT_EQ(wizard.CBShowResults()->text(), S("Show results after optimization."));
    EXPECT_EQ(wizard.CBDontResize()->text(),
              S("Do not resize the images. Leave them as they are."));
    EXPECT_EQ(wizard.SBtnContinue()->text(), S("Send Email"));
    EXPECT_FALSE(wizard.SBtnContinue()->isEnabled());
    EXPECT_EQ(wizard.SBtnMoreFiles()->text(), S("Add More Files"));
    EXPECT_EQ(wizard.SBtnCancel()->text(), S("Close"));
    EXPECT_EQ(wizard.SBtnClearSelection()->text(), S("Clear Selected"));
    EXPECT_EQ(wizard.SBtnClearList()->text(), S("Clear List"));
    EXPECT_EQ(wizard.LblList()->text(), S("Files to Email"));
    EXPECT_EQ(wizard.ResizeProgressBar()->value(), 0);
    EXPECT_EQ(wizard.Mail().TextToSend, EmailFooterLines());
    EXPECT_EQ(wizard.Mail().ErrorMessage, S("Error sending mail"));

    EXPECT_FALSE(wizard.FilesShown());
    EXPECT_EQ(wizard.width(), RightEdgePlus16(wizard.StaticText1()));
    QTest::mouseClick(wizard.SBtnShowFiles(), Qt::LeftButton);
    EXPECT_TRUE(wizard.FilesShown());
    EXPECT_EQ(wizard.width(), RightEdgePlus16(wizard.FileListBox()));
    EXPECT_EQ(wizard.SBtnShowFiles()->text(), S("< Hide Files"));
    QTest::mouseClick(wizard.SBtnShowFiles(), Qt::LeftButton);
    EXPECT_FALSE(wizard.FilesShown());
    EXPECT_TRUE(wizard.LblList()->isHidden());
    EXPECT_EQ(wizard.width(), RightEdgePlus16(wizard.StaticText1()));
    EXPECT_EQ(wizard.SBtnShowFiles()->text(), S("Show Files >"));
}

TEST_F(EmailSizeDlgTest, TabReachesTheListButtonsOnlyWhileTheListPaneIsShown) {
    Add("a.png", PngBytes(4, 4));
    TEmailSizeDlg wizard(&host);
    wizard.AddEmailFiles(source.path(), {S("a.png")});
    wizard.ShowWizard();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
    for (bool shown : {false, true, false}) {
        if (wizard.FilesShown() != shown)
            QTest::mouseClick(wizard.SBtnShowFiles(), Qt::LeftButton);
        wizard.SBtnContinue()->setFocus();
        QSet<QWidget*> reached;
        for (int i = 0; i < 30; ++i) {
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.insert(QApplication::focusWidget());
        }
        EXPECT_TRUE(reached.contains(wizard.SBtnShowFiles())) << "the walk went round";
        EXPECT_EQ(reached.contains(wizard.SBtnClearSelection()), shown) << shown;
        EXPECT_EQ(reached.contains(wizard.SBtnClearList()), shown) << shown;
    }
}

TEST_F(EmailSizeDlgTest, SettingsAreReadAtCreationAndWrittenAtDestruction) {
    const struct {
        const char* speed;
        const char* showResults;
        const char* dontOptimize;
        int speedIndex;
        qint64 limit;
    } cases[] = {
        {nullptr, nullptr, nullptr, 1, 65536},
        {"2", "True", "True", 2, 32768},
        {"0", "False", "1", 0, 393216},
        {"9", "yes", "False", -1, 65536},
    };
    for (const auto& c : cases) {
        QFile::remove(SettingsStorePath());
        if (c.speed) {
            WriteRegString(RegNames::InetSpeed, S(c.speed));
            WriteRegString(RegNames::ShowOptResults, S(c.showResults));
            WriteRegString(RegNames::DontOptimize, S(c.dontOptimize));
        }
        const bool dontResize = c.dontOptimize && ReadRegBool(RegNames::DontOptimize, false);
        {
            TEmailSizeDlg wizard(&host);
            EXPECT_EQ(wizard.SpeedIndex(), c.speedIndex) << c.speed;
            EXPECT_EQ(wizard.SizeLimit(), c.limit) << c.speed;
            EXPECT_EQ(wizard.CBShowResults()->isChecked(),
                      c.showResults && S(c.showResults) == S("True"));
            EXPECT_EQ(wizard.CBDontResize()->isChecked(), dontResize);
            // Sizes and results mean nothing while the images are left as they are.
            EXPECT_EQ(wizard.RGSpeed()->isEnabled(), !dontResize);
            EXPECT_EQ(wizard.CBShowResults()->isEnabled(), !dontResize);
        }
    }

    {
        TEmailSizeDlg wizard(&host);
        wizard.SetSpeedIndex(0);
        wizard.CBShowResults()->setChecked(true);
        wizard.CBDontResize()->setChecked(true);
        EXPECT_FALSE(wizard.RGSpeed()->isEnabled());
        EXPECT_FALSE(wizard.CBShowResults()->isEnabled());
        wizard.CBDontResize()->setChecked(false);
        EXPECT_TRUE(wizard.RGSpeed()->isEnabled());
    }
    EXPECT_EQ(ReadRegString(S("InetSpeed")), S("0"));
    EXPECT_EQ(ReadRegString(S("ShowOptResults")), S("True"));
    EXPECT_EQ(ReadRegString(S("DontOptimize")), S("False"));
}

TEST_F(EmailSizeDlgTest, AddingListsEachFileOnceAndPreviewsTheFirst) {
    const QString photo = Photo();
    const QString bitmap = Add("pic.bmp", BitmapBytes(640, 480));
    TEmailSizeDlg wizard(&host);
    wizard.AddEmailFiles(source.path(), {S("photo.jpg")});
    EXPECT_EQ(wizard.windowTitle(), S("Email photo.jpg"));
    EXPECT_TRUE(wizard.SBtnContinue()->isEnabled());
    EXPECT_EQ(wizard.SBtnCancel()->text(), S("Cancel"));
    EXPECT_EQ(wizard.FileListBox()->currentRow(), 0);
    EXPECT_EQ(wizard.PreviewFile(), photo);
    // A 1600 x 1200 JPEG fitted into 62 x 58, read at an eighth of its size.
    EXPECT_EQ(wizard.PreviewBitmap().Width(), 62);
    EXPECT_EQ(wizard.PreviewBitmap().Height(), 46);
    EXPECT_EQ(wizard.LblDimensions()->text(), S("1600x1200 (Approx.)"));
    EXPECT_EQ(wizard.LblSize()->text(), S("195.31 KB"));
    EXPECT_EQ(wizard.LblDimensions()->x(), 62 + wizard.ImagePreview()->x() + 6);
    EXPECT_EQ(wizard.LblSize()->x(), wizard.LblDimensions()->x());

    wizard.AddEmailFiles(source.path(), {S("photo.jpg"), S("pic.bmp"), S("pic.bmp")});
    EXPECT_EQ(wizard.EmailFiles(), QStringList({photo, bitmap}));
    EXPECT_EQ(Rows(wizard), QStringList({S("photo.jpg"), S("pic.bmp")}));
    EXPECT_EQ(wizard.windowTitle(), S("Email 2 Images"));
    EXPECT_EQ(wizard.PreviewFile(), photo) << "the selected row stays";

    // The user picks the bitmap: exact dimensions, no "(Approx.)".
    wizard.FileListBox()->setCurrentRow(1);
    EXPECT_EQ(wizard.PreviewFile(), bitmap);
    EXPECT_EQ(wizard.LblDimensions()->text(), S("640x480"));
    EXPECT_EQ(wizard.LblSize()->text(), S("900.05 KB"));
    EXPECT_EQ(wizard.LblDimensions()->x(), 62 + wizard.ImagePreview()->x() + 6);
}

TEST_F(EmailSizeDlgTest, DeleteRemovesEverySelectedRow) {
    for (const char* name : {"0.png", "1.png", "2.png", "3.png"})
        Add(name, PngBytes(4, 4));
    TEmailSizeDlg wizard(&host);
    wizard.AddEmailFiles(source.path(), {S("0.png"), S("1.png"), S("2.png"), S("3.png")});
    QListWidget* list = wizard.FileListBox();
    list->clearSelection();
    QTest::mouseClick(wizard.SBtnClearSelection(), Qt::LeftButton);
    EXPECT_EQ(list->count(), 4) << "nothing selected, nothing removed";

    list->item(1)->setSelected(true);
    list->item(3)->setSelected(true);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(Rows(wizard), QStringList({S("0.png"), S("2.png")}));
    EXPECT_EQ(wizard.EmailFiles(), QStringList({JoinPath(source.path(), S("0.png")),
                                                JoinPath(source.path(), S("2.png"))}));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(list->item(0)->isSelected());
    EXPECT_EQ(wizard.windowTitle(), S("Email 2 Images"));

    list->selectAll();
    QTest::mouseClick(wizard.SBtnClearSelection(), Qt::LeftButton);
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(wizard.PreviewFile().isEmpty());
    EXPECT_TRUE(wizard.LblDimensions()->text().isEmpty());
    EXPECT_EQ(wizard.PreviewBitmap().Width(), 0);
    EXPECT_FALSE(wizard.SBtnContinue()->isEnabled());
    EXPECT_EQ(wizard.SBtnCancel()->text(), S("Close"));
    EXPECT_EQ(wizard.windowTitle(), S("No Files to Email"));
}

TEST_F(EmailSizeDlgTest, ClosingKeepsTheListWhileCancelAndClearListEmptyIt) {
    Add("a.png", PngBytes(4, 4));
    const struct {
        const char* what;
        std::function<void(TEmailSizeDlg&)> act;
        bool hidden;
        bool kept;
    } cases[] = {
        {"Add More Files",
         [](TEmailSizeDlg& w) { QTest::mouseClick(w.SBtnMoreFiles(), Qt::LeftButton); }, true,
         true},
        {"Escape", [](TEmailSizeDlg& w) { QTest::keyClick(w.FileListBox(), Qt::Key_Escape); }, true,
         true},
        {"close box", [](TEmailSizeDlg& w) { w.close(); }, true, true},
        {"Cancel", [](TEmailSizeDlg& w) { QTest::mouseClick(w.SBtnCancel(), Qt::LeftButton); },
         true, false},
        {"Clear List",
         [](TEmailSizeDlg& w) { QTest::mouseClick(w.SBtnClearList(), Qt::LeftButton); }, false,
         false},
    };
    TEmailSizeDlg wizard(&host);
    for (const auto& c : cases) {
        wizard.AddEmailFiles(source.path(), {S("a.png")});
        wizard.ShowWizard();
        ASSERT_TRUE(wizard.isVisible());
        c.act(wizard);
        EXPECT_EQ(wizard.isHidden(), c.hidden) << c.what;
        EXPECT_EQ(wizard.EmailFiles().size(), c.kept ? 1 : 0) << c.what;
        EXPECT_EQ(wizard.windowTitle(), c.kept ? S("Email a.png") : S("No Files to Email"))
            << c.what;
    }
}

TEST_F(EmailSizeDlgTest, AnUnreadablePreviewGoesToTheErrorBox) {
    Add("broken.png", QByteArray("not a picture"));
    TEmailSizeDlg wizard(&host);
    SeenHelpBox seen;
    {
        ModalAnswers answers{CloseHelpBox(&seen)};
        wizard.AddEmailFiles(source.path(), {S("broken.png")});
    }
    EXPECT_EQ(seen.caption, S("Error"));
    EXPECT_FALSE(seen.detail.isEmpty());
    EXPECT_EQ(wizard.EmailFiles().size(), 1) << "the file stays listed";
    EXPECT_TRUE(wizard.PreviewFile().isEmpty());
    EXPECT_TRUE(wizard.LblDimensions()->text().isEmpty());
    EXPECT_TRUE(wizard.LblSize()->text().isEmpty());
}

TEST_F(EmailSizeDlgTest, EmailCommandAddsTheSelectionAndShowsTheWizard) {
    Add("a.png", PngBytes(4, 4));
    Add("b.png", PngBytes(4, 4));
    const struct {
        const char* what;
        bool slideShow;
        QStringList selection;
        bool shown;
        QStringList rows;
    } cases[] = {
        {"slide show running", true, {S("a.png")}, false, {}},
        {"nothing selected", false, {}, true, {}},
        {"two selected", false, {S("b.png"), S("a.png")}, true, {S("b.png"), S("a.png")}},
    };
    for (const auto& c : cases) {
        TEmailSizeDlg wizard(&host);
        host.slideShow = c.slideShow;
        host.folder = source.path();
        host.selection = c.selection;
        wizard.EmailSelection();
        EXPECT_EQ(wizard.isVisible(), c.shown) << c.what;
        EXPECT_FALSE(wizard.isModal()) << c.what;
        EXPECT_EQ(Rows(wizard), c.rows) << c.what;
    }
}

TEST_F(EmailSizeDlgTest, SendingShrinksReportsHandsOverAndOffersToClearTheList) {
    FakeMailProgram program;
    const QString photo = Photo();
    const QString small = Add("small.png", PngBytes(4, 4));
    TEmailSizeDlg wizard(&host);
    wizard.CBShowResults()->setChecked(true);
    wizard.AddEmailFiles(source.path(), {S("photo.jpg"), S("small.png")});
    wizard.ShowWizard();

    SeenHelpBox results;
    QString question;
    std::optional<bool> sent;
    {
        ModalAnswers answers{CloseHelpBox(&results),
                             PressMessageBoxButton(QMessageBox::Yes, &question)};
        sent = Send(wizard);
    }
    ASSERT_EQ(sent, true);
    EXPECT_EQ(results.caption, S("Results of Email Optimization"));
    EXPECT_EQ(results.heading, S("Results of Email Optimization:"));
    EXPECT_EQ(results.detail,
              S("photo.jpg - Resized from 1600x1200 to 768x576\nsmall.png - Unchanged"));
    EXPECT_EQ(results.icon, 0) << "information, not error";
    EXPECT_EQ(results.okCaption, S("Continue"));

    const QString copy = JoinPath(MailFolderIn(TempFolder()), S("photo.jpg"));
    EXPECT_EQ(program.Values(S("--subject")), QStringList({S("photo.jpg, small.png")}));
    EXPECT_EQ(program.Values(S("--body")),
              QStringList({EmailFooterLines().join(QLatin1Char('\n'))}));
    EXPECT_EQ(program.Values(S("--attach")), QStringList({copy, small}));
    EXPECT_EQ(PictureSize(copy), QSize(768, 576));
    QFile::remove(copy);
    EXPECT_EQ(ReadFile(photo).size(), 200000) << "the user's file was changed";

    EXPECT_EQ(question, S("Finished. Would you like to clear the file list?"));
    EXPECT_TRUE(wizard.EmailFiles().isEmpty()) << "Yes clears the list";
    EXPECT_EQ(wizard.windowTitle(), S("No Files to Email"));
    EXPECT_EQ(wizard.ResizeProgressBar()->value(), 0);
    EXPECT_EQ(host.busyCalls, QList<bool>({true, false}));
}

TEST_F(EmailSizeDlgTest, EnterSendsAndOnlyOneSendRunsAtATime) {
    FakeMailProgram program;
    Add("small.png", PngBytes(4, 4));
    TEmailSizeDlg wizard(&host);
    wizard.AddEmailFiles(source.path(), {S("small.png")});
    std::optional<bool> sent;
    QObject::connect(&wizard, &TEmailSizeDlg::SendFinished, &wizard,
                     [&sent](bool success) { sent = success; });
    // No results box: nothing failed and results were not asked for.
    ModalAnswers answers{PressMessageBoxButton(QMessageBox::No)};
    QTest::keyClick(wizard.FileListBox(), Qt::Key_Return);
    EXPECT_TRUE(wizard.IsSending());
    EXPECT_FALSE(wizard.SBtnContinue()->isEnabled());
    wizard.OptimizeAndSend(); // ignored while the mail program has the first
    ASSERT_TRUE(RunUntil([&] { return sent.has_value(); }));
    EXPECT_EQ(sent, true);
    EXPECT_EQ(program.Values(S("--subject")), QStringList({S("small.png")}));
    EXPECT_EQ(wizard.EmailFiles().size(), 1) << "No keeps the list";
    EXPECT_TRUE(wizard.SBtnContinue()->isEnabled());
}

TEST_F(EmailSizeDlgTest, AFailedHandOffShowsItsCodeAndKeepsTheList) {
    const struct {
        const char* what;
        bool installed;
        const char* textStart;
    } cases[] = {
        {"mail program fails", true, "Error sending mail (4)."},
        {"no mail program", false, "Error sending mail (-1).\n\n"},
    };
    Add("small.png", PngBytes(4, 4));
    for (const auto& c : cases) {
        FakeMailProgram program(c.installed);
        program.SetExitStatus(4);
        TEmailSizeDlg wizard(&host);
        wizard.Mail().SetGracePeriod(10 * 60 * 1000); // the exit status always counts
        wizard.AddEmailFiles(source.path(), {S("small.png")});
        QString text;
        std::optional<bool> sent;
        {
            ModalAnswers answers{PressMessageBoxButton(QMessageBox::Ok, &text)};
            sent = Send(wizard);
        }
        EXPECT_EQ(sent, false) << c.what;
        EXPECT_TRUE(text.startsWith(S(c.textStart))) << text.toStdString();
        EXPECT_EQ(wizard.EmailFiles().size(), 1) << c.what;
    }
}

TEST_F(EmailSizeDlgTest, FailedFilesAreReportedWithTheErrorIconAndTheRestIsSent) {
    FakeMailProgram program;
    const QString small = Add("small.png", PngBytes(4, 4));
    Add("corrupt.jpg", QByteArray(100000, 'x'));
    TEmailSizeDlg wizard(&host);
    wizard.AddEmailFiles(source.path(), {S("small.png"), S("corrupt.jpg")});
    SeenHelpBox results;
    {
        ModalAnswers answers{CloseHelpBox(&results), PressMessageBoxButton(QMessageBox::No)};
        EXPECT_EQ(Send(wizard), true);
    }
    EXPECT_EQ(results.icon, 3) << "error icon: results were not asked for";
    EXPECT_TRUE(results.detail.startsWith(S("corrupt.jpg - ERROR: ")))
        << results.detail.toStdString();
    EXPECT_EQ(program.Values(S("--attach")), QStringList({small}));
}

TEST_F(EmailSizeDlgTest, LeavingImagesAsTheyAreShowsNoResultsWithoutAnError) {
    FakeMailProgram program;
    const QString photo = Photo();
    TEmailSizeDlg wizard(&host);
    wizard.CBShowResults()->setChecked(true);
    wizard.CBDontResize()->setChecked(true);
    wizard.AddEmailFiles(source.path(), {S("photo.jpg")});
    {
        ModalAnswers answers{PressMessageBoxButton(QMessageBox::No)};
        EXPECT_EQ(Send(wizard), true);
    }
    EXPECT_EQ(program.Values(S("--attach")), QStringList({photo}));
}

TEST_F(EmailSizeDlgTest, CopiesWaitInTheMailFolderAndOutliveTheCloseCleanUp) {
    FakeMailProgram program;
    Photo();
    const QString temp = TempFolder();
    const QString mailFolder = MailFolderIn(temp);
    // A user's file named like a thumbnail strip stays apart from the strips.
    const QString stripName = S("tn001002.jpg");
    Add("tn001002.jpg", JpegOfFileSize(1600, 1200, 200000));
    const QString strip = WriteFile(temp, stripName, "strip");

    auto form = std::make_unique<TMainForm>(QStringList{S("/nosplash")});
    form->show();
    TEmailSizeDlg& wizard = *form->EmailWizard();
    wizard.AddEmailFiles(source.path(), {S("photo.jpg"), stripName});
    {
        ModalAnswers answers{PressMessageBoxButton(QMessageBox::No)};
        EXPECT_EQ(Send(wizard), true);
    }
    const QStringList copies{JoinPath(mailFolder, S("photo.jpg")), JoinPath(mailFolder, stripName)};
    EXPECT_EQ(program.Values(S("--attach")), copies);
    EXPECT_EQ(ReadFile(strip), QByteArray("strip")) << "the strip file was overwritten";

    // Closing the main window empties the temporary folder of its own image files; the mail
    // program may read the copies only when the user presses Send, after that.
    form->close();
    form.reset();
    EXPECT_FALSE(QFileInfo::exists(strip));
    for (const QString& copy : copies) {
        EXPECT_EQ(PictureSize(copy), QSize(768, 576)) << copy.toStdString();
        QFile::remove(copy);
    }
}
