// SPDX-License-Identifier: MIT
// The questions and the progress of copying and moving files: the replace question's buttons and
// the answer each way of closing it gives, the progress texts and Cancel, the replace question
// asked on the way, and the report of the files that went wrong.
#include "ModalDriver.h"
#include "dialogs/FileProgressDialog.h"
#include "dialogs/ReplaceQuestion.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>

namespace {

QString Caption(const QAbstractButton* button) {
    return button->text().remove(QLatin1Char('&'));
}

ReplaceQuery Query(int remaining) {
    ReplaceQuery query;
    query.source = QStringLiteral("/pictures/new/a.jpg");
    query.target = QStringLiteral("/pictures/old/a.jpg");
    query.sourceSize = 2048;
    query.targetSize = 1024;
    query.sourceModified = QDateTime(QDate(2024, 5, 4), QTime(15, 2, 1));
    query.targetModified = QDateTime(QDate(2023, 1, 2), QTime(8, 0, 0));
    query.remaining = remaining;
    return query;
}

std::function<void(QWidget*)> ClickStandard(QMessageBox::StandardButton which) {
    return [which](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        ASSERT_NE(box->button(which), nullptr);
        box->button(which)->click();
    };
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(ReplaceQuestionTest, ToAllAnswersAreOfferedOnlyWhileMoreFilesFollow) {
    const struct {
        int remaining;
        QStringList captions;
    } cases[] = {
        {0, {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")}},
        {3,
         {QStringLiteral("Yes"), QStringLiteral("Yes to All"), QStringLiteral("No"),
          QStringLiteral("No to All"), QStringLiteral("Cancel")}},
    };
    TReplaceQuestion question;
    for (const auto& c : cases) {
        question.Prepare(Query(c.remaining));
        QStringList captions;
        for (const QAbstractButton* button : question.buttons())
            captions << Caption(button);
        QStringList expected = c.captions;
        std::sort(captions.begin(), captions.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(captions, expected) << c.remaining;
        EXPECT_TRUE(question.text().contains(QStringLiteral("\"a.jpg\"")));
        EXPECT_TRUE(question.text().contains(QStringLiteral("/pictures/old")));
    }
}

TEST(ReplaceQuestionTest, EachWayOfClosingGivesItsAnswer) {
    const struct {
        const char* what;
        std::function<void(QWidget*)> act;
        ReplaceAnswer expected;
    } cases[] = {
        {"Yes", ClickStandard(QMessageBox::Yes), ReplaceAnswer::Yes},
        {"Yes to All", ClickStandard(QMessageBox::YesToAll), ReplaceAnswer::YesToAll},
        // Esc and the close box right after a button answer: the old answer must not stick.
        {"Esc", PressKey(Qt::Key_Escape), ReplaceAnswer::Cancel},
        {"No", ClickStandard(QMessageBox::No), ReplaceAnswer::No},
        {"close box", [](QWidget* modal) { modal->close(); }, ReplaceAnswer::Cancel},
        {"No to All", ClickStandard(QMessageBox::NoToAll), ReplaceAnswer::NoToAll},
        {"Enter", PressKey(Qt::Key_Return), ReplaceAnswer::Yes},
        {"Cancel", ClickStandard(QMessageBox::Cancel), ReplaceAnswer::Cancel},
    };
    TReplaceQuestion question;
    for (const auto& c : cases) {
        WhenModalShown(c.act);
        EXPECT_EQ(question.Ask(Query(2)), c.expected) << c.what;
    }
}

TEST(FileProgressDialogTest, ShowsTheFileAtWorkAndStopsOnceCancelled) {
    TFileProgressDialog dialog;
    const FileOpCallbacks callbacks = dialog.Callbacks();
    ASSERT_TRUE(callbacks.progress);
    const QString source = QStringLiteral("/pictures/a.jpg");
    const struct {
        FileProgress progress;
        const char* title;
        const char* label;
        int value; // thousandths of the bytes done
    } cases[] = {
        {{FileOpKind::Copy, 0, 2, source, QStringLiteral("/to"), 512, 1024},
         "Copying Files",
         "Copying \"a.jpg\" (1 of 2)",
         500},
        {{FileOpKind::Move, 1, 2, source, QStringLiteral("/to"), 3LL << 30, 6LL << 30},
         "Moving Files",
         "Moving \"a.jpg\" (2 of 2)",
         500},
        {{FileOpKind::Copy, 0, 1, source, QStringLiteral("/to"), 0, 0},
         "Copying Files",
         "Copying \"a.jpg\" (1 of 1)",
         0},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(callbacks.progress(c.progress)) << c.label;
        EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(c.title));
        EXPECT_EQ(dialog.labelText(), QString::fromLatin1(c.label));
        EXPECT_EQ(dialog.value(), c.value) << c.label;
    }
    bool hasCancel = false;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        hasCancel = hasCancel || Caption(button) == QStringLiteral("Cancel");
    EXPECT_TRUE(hasCancel);

    dialog.cancel();
    EXPECT_FALSE(callbacks.progress(cases[0].progress));
}

TEST(FileProgressDialogTest, RunAsksBeforeReplacingAndStartsAfreshAfterACancel) {
    QTemporaryDir from, to;
    ASSERT_TRUE(from.isValid() && to.isValid());
    const QStringList names = {QStringLiteral("a.jpg"), QStringLiteral("b.jpg")};
    QStringList sources;
    for (const QString& name : names) {
        Write(from.filePath(name), "new " + name.toLatin1());
        Write(to.filePath(name), "old " + name.toLatin1());
        sources << from.filePath(name);
    }
    TFileProgressDialog dialog;
    dialog.cancel(); // an earlier operation was cancelled
    // One question: "Yes to All" answers it for the second file too.
    int asked = 0;
    WhenModalShown([&asked](QWidget* modal) {
        ASSERT_NE(qobject_cast<TReplaceQuestion*>(modal), nullptr);
        ++asked;
        ClickStandard(QMessageBox::YesToAll)(modal);
    });
    const FileOpResult result = dialog.Run(FileOpKind::Copy, sources, to.path());
    EXPECT_TRUE(result.Success());
    EXPECT_EQ(asked, 1);
    for (const QString& name : names)
        EXPECT_EQ(Content(to.filePath(name)), "new " + name.toLatin1());
    EXPECT_FALSE(dialog.isVisible());
}

TEST(FileProgressDialogTest, FilesThatWentWrongAreReportedAfterwards) {
    QTemporaryDir from, to;
    ASSERT_TRUE(from.isValid() && to.isValid());
    Write(from.filePath(QStringLiteral("a.jpg")), "a");
    TFileProgressDialog dialog;
    SeenMessage seen;
    WhenModalShown(NoteAndCloseMessageBox(seen));
    const FileOpResult result = dialog.Run(
        FileOpKind::Move,
        {from.filePath(QStringLiteral("missing.jpg")), from.filePath(QStringLiteral("a.jpg"))},
        to.path());
    EXPECT_FALSE(result.Success());
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, QStringLiteral("Some files could not be moved."));
    EXPECT_EQ(Content(to.filePath(QStringLiteral("a.jpg"))), "a"); // the others still went

    // Nothing to paste: no operation and no message.
    TFileClipboard clipboard;
    EXPECT_FALSE(dialog.Paste(clipboard, to.path()).has_value());
}
