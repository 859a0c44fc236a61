// SPDX-License-Identifier: MIT
// The folder view's file commands on real folders and models: renaming with the dialog and in
// place, copy / cut and paste between two open folders, the paste state and the dimmed rows of
// cut files, dropping, and deleting the selection to the trash.
#include "FakeFolderViewHost.h"

#include "dialogs/RenameRules.h"
#include "folderview/FileClipboard.h"
#include "imaging/AppError.h"

#include <deque>

namespace {

QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// One open folder: a temporary folder with files (each holding its own name), its model and the
// view's file-operation state.
struct Folder {
    QTemporaryDir dir;
    QTemporaryDir cache;
    FakeFolderViewHost host;
    std::unique_ptr<TFolderModel> model;
    std::unique_ptr<TFolderFileOps> ops;

    explicit Folder(const QStringList& names) {
        EXPECT_TRUE(dir.isValid() && cache.isValid());
        host.folder = dir.path();
        for (const QString& name : names) {
            QFile file(Path(name));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(name.toUtf8());
        }
        model = std::make_unique<TFolderModel>(host,
                                               std::make_unique<TThumbnailCacheMgr>(cache.path()));
        model->OpenFolder(dir.path() + QLatin1Char('/'));
        ops = std::make_unique<TFolderFileOps>(*model);
    }
    QString FolderPath() const { return model->FolderPath(); }
    QString Path(const QString& name) const { return JoinPath(dir.path(), name); }
    QString Path(const char* name) const { return Path(QString::fromLatin1(name)); }
    bool OnDisk(const char* name) const { return QFileInfo::exists(Path(name)); }
};

class FileClipboardTest : public testing::Test {
protected:
    QLocale savedLocale;
    TFileClipboard clipboard;

    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(savedLocale); }

    // What the main window does for a paste into `target`, with `views` open.
    FileOpResult PasteInto(Folder& target, const QList<Folder*>& views) {
        const QString source = clipboard.SourceFolder();
        const std::optional<FileOpResult> result = PasteFiles(clipboard, target.FolderPath());
        EXPECT_TRUE(result.has_value());
        Changed(true, source, target.FolderPath(), views);
        return result.value_or(FileOpResult{});
    }
    void Changed(bool refresh, const QString& source, const QString& target,
                 const QList<Folder*>& views) {
        QList<TFolderFileOps*> ops;
        for (Folder* view : views)
            ops << view->ops.get();
        FileClipboardChanged(clipboard, refresh, source, target, ops);
    }
};

// --- renaming ---

TEST_F(FileClipboardTest, RenameThroughTheDialogKeepsTheExtension) {
    struct Case {
        const char* typed;
        const char* renamedTo; // nullptr: nothing is renamed
        QString error;
    };
    const Case cases[] = {
        {"b.png", "b.jpg", {}},
        {"b", "b.jpg", {}},
        {"A", nullptr, {}}, // letter case alone
        {"a", nullptr, {}}, // unchanged
        {"", nullptr, {}},
        {"c", nullptr, NameExistsMessage()},
        {"sub/x", nullptr, UnableToRenameMessage()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Folder f(Names({"a.jpg", "c.jpg"}));
        QString error;
        bool renamed = false;
        try {
            renamed = RenameWithDialogAnswer(*f.model, QStringLiteral("a.jpg"),
                                             QString::fromLatin1(c.typed));
        } catch (const AppError& e) {
            error = e.Message();
        }
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(renamed, c.renamedTo != nullptr);
        const QString now =
            c.renamedTo ? QString::fromLatin1(c.renamedTo) : QStringLiteral("a.jpg");
        EXPECT_EQ(f.model->ImageFiles(), (QStringList{now, QStringLiteral("c.jpg")}));
        EXPECT_EQ(Content(f.Path(now)), "a.jpg");
        EXPECT_EQ(Content(f.Path("c.jpg")), "c.jpg");
    }
}

TEST_F(FileClipboardTest, RenameSelectedAsksAgainWithTheMessageAfterARefusal) {
    Folder f(Names({"a.JPG", "c.JPG"}));
    f.host.imageName = QStringLiteral("a.JPG");
    RenameDialogFields filled;
    std::deque<std::optional<QString>> answers{QStringLiteral("c"), QStringLiteral("d.png")};
    QStringList errors;
    RenameDialogCalls calls;
    calls.fill = [&](const RenameDialogFields& fields) { filled = fields; };
    int shows = 0;
    calls.show = [&] {
        ++shows;
        std::optional<QString> answer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        return answer;
    };
    calls.showError = [&](const QString& message) { errors << message; };

    EXPECT_TRUE(RenameSelected(*f.model, calls));
    EXPECT_EQ(filled.baseName, QStringLiteral("a"));
    EXPECT_EQ(filled.fileType, QStringLiteral("JPEG Image"));
    EXPECT_EQ(errors, QStringList{NameExistsMessage()});
    EXPECT_EQ(shows, 2);
    EXPECT_EQ(f.model->ImageFiles(), Names({"d.JPG", "c.JPG"})); // same place, same thumbnail
    EXPECT_EQ(f.model->SelectedFiles(), Names({"d.JPG"}));
    EXPECT_EQ(f.host.imageName, QStringLiteral("d.JPG")); // the viewer follows
    EXPECT_TRUE(f.OnDisk("d.JPG") && f.OnDisk("c.JPG") && !f.OnDisk("a.JPG"));

    // Cancelled, abandoned for a modified image, or not exactly one file selected: nothing.
    EXPECT_FALSE(RenameSelected(*f.model, calls)); // cancelled
    EXPECT_EQ(shows, 3);
    calls.abandon = [](const QString&) { return true; };
    EXPECT_FALSE(RenameSelected(*f.model, calls));
    calls.abandon = {};
    f.model->SelectAll();
    EXPECT_FALSE(RenameSelected(*f.model, calls));
    EXPECT_EQ(shows, 3);
    EXPECT_EQ(f.model->ImageFiles(), Names({"d.JPG", "c.JPG"}));
}

TEST_F(FileClipboardTest, RenameInPlaceMustKeepTheExtensionAndNeverReplacesAFile) {
    struct Case {
        const char* to;
        QString error; // empty: renamed
    };
    const Case cases[] = {
        {"b.JPG", {}},
        {"b.png", ExtensionMismatchMessage()},
        {"c.jpg", UnableToRenameMessage()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        Folder f(Names({"a.jpg", "c.jpg"}));
        QString error;
        try {
            RenameInPlace(*f.model, QStringLiteral("a.jpg"), QString::fromLatin1(c.to));
        } catch (const AppError& e) {
            error = e.Message();
        }
        EXPECT_EQ(error, c.error);
        const QString now = error.isEmpty() ? QString::fromLatin1(c.to) : QStringLiteral("a.jpg");
        EXPECT_EQ(f.model->ListOrder(), (QStringList{now, QStringLiteral("c.jpg")}));
        EXPECT_EQ(Content(f.Path(now)), "a.jpg");
        EXPECT_EQ(Content(f.Path("c.jpg")), "c.jpg");
    }
}

// --- copy, cut and paste ---

TEST_F(FileClipboardTest, CopyAndPasteListsTheNewFilesAtTheEndOfTheTarget) {
    Folder f1(Names({"a.jpg", "b.jpg", "c.jpg"}));
    Folder f2(Names({"x.jpg", "y.jpg"}));
    f1.model->SelectOnly(QStringLiteral("c.jpg"));
    f1.model->AddToSelection(QStringLiteral("a.jpg"));
    ASSERT_TRUE(clipboard.CopySelection(*f1.model));
    EXPECT_EQ(clipboard.Paths(), (QStringList{f1.Path("c.jpg"), f1.Path("a.jpg")}));
    Changed(false, {}, {}, {&f1, &f2});
    EXPECT_EQ(f2.ops->PasteItem(), (MenuItemState{true, QStringLiteral("Paste Images [Ctrl+V]")}));
    EXPECT_TRUE(f1.ops->DimmedNames().isEmpty()); // copied, not cut

    const FileOpResult result = PasteInto(f2, {&f1, &f2});
    EXPECT_TRUE(result.Success());
    const QStringList listed = f2.model->ImageFiles();
    ASSERT_EQ(listed.size(), 4);
    EXPECT_EQ(listed.mid(0, 2), Names({"x.jpg", "y.jpg"}));
    EXPECT_TRUE(listed.contains(QStringLiteral("a.jpg")) &&
                listed.contains(QStringLiteral("c.jpg")));
    EXPECT_EQ(Content(f2.Path("c.jpg")), "c.jpg");
    EXPECT_EQ(f1.model->ImageFiles(), Names({"a.jpg", "b.jpg", "c.jpg"}));

    // Each copy pastes once: Paste is disabled everywhere and a second paste does nothing.
    EXPECT_FALSE(f1.ops->PasteEnabled() || f2.ops->PasteEnabled());
    EXPECT_FALSE(PasteFiles(clipboard, f1.FolderPath()).has_value());
    EXPECT_EQ(clipboard.Paths().size(), 2); // the list stays, inactive
}

TEST_F(FileClipboardTest, CutAndPasteMovesTheFilesAndTheSourceDropsThem) {
    Folder f1(Names({"a.jpg", "b.jpg", "c.jpg"}));
    Folder f2(Names({"x.jpg"}));
    f1.model->SelectOnly(QStringLiteral("b.jpg"));
    f1.model->AddToSelection(QStringLiteral("c.jpg"));
    // A drop of f1's selection on f2: the same cut and paste.
    ASSERT_TRUE(AcceptsFolderDrop(f1.FolderPath(), f2.FolderPath()));
    ASSERT_TRUE(clipboard.CutSelection(*f1.model));
    Changed(false, {}, {}, {&f1, &f2});
    EXPECT_EQ(f1.ops->DimmedNames(), Names({"b.jpg", "c.jpg"}));
    EXPECT_TRUE(f2.ops->DimmedNames().isEmpty());
    EXPECT_FALSE(f1.ops->IsDimmed(QStringLiteral("a.jpg")));

    const FileOpResult result = PasteInto(f2, {&f1, &f2});
    EXPECT_TRUE(result.Success());
    EXPECT_EQ(f2.model->ImageFiles().size(), 3); // listed at once
    EXPECT_EQ(f2.model->ImageFiles().first(), QStringLiteral("x.jpg"));
    EXPECT_TRUE(WaitUntil([&] { return f1.model->ImageFiles() == Names({"a.jpg"}); }));
    EXPECT_TRUE(f1.ops->DimmedNames().isEmpty());
    EXPECT_FALSE(f1.ops->IsDimmed(QStringLiteral("b.jpg")));
    EXPECT_TRUE(!f1.OnDisk("b.jpg") && !f1.OnDisk("c.jpg"));
    EXPECT_EQ(Content(f2.Path("b.jpg")), "b.jpg");
}

TEST_F(FileClipboardTest, PasteIntoTheSameFolderListsTheCopiesThere) {
    Folder f(Names({"a.jpg"}));
    clipboard.Copy(f.FolderPath(), Names({"a.jpg"}));
    PasteInto(f, {&f});
    // The copies come in by a rename from a hidden name, which no change notification lists.
    EXPECT_EQ(f.model->ImageFiles(), Names({"a.jpg", "a (copy).jpg"}));
    EXPECT_TRUE(f.ops->FileOpDelayTimer().isActive()); // and the check for files gone
}

TEST_F(FileClipboardTest, PasteStateFollowsTheClipboard) {
    Folder f1(Names({"a.jpg", "b.jpg"}));
    Folder f2(Names({"a.jpg"}));
    struct Step {
        FileClipboardMode mode;
        QStringList names; // of f1
        MenuItemState paste;
        QStringList dimmedInF1;
    };
    const Step steps[] = {
        {FileClipboardMode::Cut,
         Names({"a.jpg"}),
         {true, QStringLiteral("Paste Image [Ctrl+V]")},
         Names({"a.jpg"})},
        {FileClipboardMode::Cut,
         Names({"b.jpg", "a.jpg"}),
         {true, QStringLiteral("Paste Images [Ctrl+V]")},
         Names({"a.jpg", "b.jpg"})},
        {FileClipboardMode::Copy,
         Names({"a.jpg"}),
         {true, QStringLiteral("Paste Image [Ctrl+V]")},
         {}},
        {FileClipboardMode::None,
         Names({"a.jpg"}),
         {false, QStringLiteral("Paste Image [Ctrl+V]")},
         {}},
        {FileClipboardMode::Cut, {}, {false, QStringLiteral("Paste Images [Ctrl+V]")}, {}},
    };
    for (const Step& s : steps) {
        if (s.mode == FileClipboardMode::Copy)
            clipboard.Copy(f1.FolderPath(), s.names);
        else if (s.mode == FileClipboardMode::Cut)
            clipboard.Cut(f1.FolderPath(), s.names);
        else
            clipboard.Deactivate();
        Changed(false, {}, {}, {&f1, &f2});
        EXPECT_EQ(f1.ops->PasteItem(), s.paste);
        EXPECT_EQ(f2.ops->PasteItem(), s.paste);
        EXPECT_EQ(f1.ops->DimmedNames(), s.dimmedInF1);
        EXPECT_TRUE(f2.ops->DimmedNames().isEmpty()); // the same name in another folder
    }
}

TEST_F(FileClipboardTest, DropsAreAcceptedOnlyBetweenDifferentFolders) {
    const QString a = QStringLiteral("/pictures/a"), b = QStringLiteral("/pictures/b");
    EXPECT_TRUE(AcceptsFolderDrop(a, b));
    EXPECT_FALSE(AcceptsFolderDrop(a, a)); // the same view, or the same folder opened twice
    EXPECT_FALSE(AcceptsFolderDrop(QString(), b));
}

// --- deleting ---

TEST_F(FileClipboardTest, DeleteSendsTheSelectionToTheTrashAndTheListingFollows) {
    Folder f(Names({"a.jpg", "b.jpg", "c.jpg"}));
    f.model->SelectOnly(QStringLiteral("a.jpg"));
    f.model->AddToSelection(QStringLiteral("b.jpg"));
    const DeleteResult result = DeleteSelected(*f.model, {});
    EXPECT_TRUE(result.AllGone());
    EXPECT_TRUE(!f.OnDisk("a.jpg") && !f.OnDisk("b.jpg"));
    // The listing itself follows through the folder's change notifications.
    EXPECT_EQ(f.model->ImageFiles(), Names({"a.jpg", "b.jpg", "c.jpg"}));
    EXPECT_TRUE(WaitUntil([&] { return f.model->ImageFiles() == Names({"c.jpg"}); }));
    EXPECT_EQ(f.model->SelectedFiles(), Names({"c.jpg"}));
    // In the trash under the tests' HOME (an earlier b.jpg there gives it another name).
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash/files");
    EXPECT_TRUE(trash.startsWith(QDir::homePath()));
    QList<QByteArray> trashed;
    for (const QString& name : QDir(trash).entryList(QDir::Files))
        trashed << Content(trash + QLatin1Char('/') + name);
    EXPECT_TRUE(trashed.contains("a.jpg") && trashed.contains("b.jpg"));
}

} // namespace
