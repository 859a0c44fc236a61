// SPDX-License-Identifier: MIT
// The Options dialog: filling from the live state, applying in its order, the refused pause,
// the file-type rows, the buttons and keys, and the page it opens on.
#include "ModalDriver.h"
#include "dialogs/OptionsFormUnit.h"
#include "dialogs/OptionsHost.h"
#include "imaging/AppError.h"
#include "settings/FileAssociations.h"
#include "settings/KeyStore.h"
#include "settings/RecentFolders.h"
#include "settings/RegistryUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {

// The main window as the dialog sees it.
class FakeOptionsHost : public OptionsHost {
public:
    int SlideShowInterval() const override { return interval; }
    void SetSlideShowInterval(int milliseconds) override {
        if (!failure.isEmpty())
            throw AppError(failure);
        interval = milliseconds;
    }
    bool StartAtBeginning() const override { return startAtBeginning; }
    void SetStartAtBeginning(bool on) override { startAtBeginning = on; }
    bool PlayInReverse() const override { return playInReverse; }
    void SetPlayInReverse(bool on) override { playInReverse = on; }
    bool AnimateGif() const override { return animateGif; }
    void SetAnimateGif(bool on) override { animateGif = on; }
    bool AutoSaveImages() const override { return autoSave; }
    void SetAutoSaveImages(bool on) override { autoSave = on; }
    bool HideFolderTab() const override { return hideFolderTab; }
    void SetHideFolderTab(bool hide) override {
        hideFolderTab = hide;
        ++folderTabChanges;
    }
    TRecentFolders* RecentFolders() override { return &recent; }
    void RecentFoldersChanged() override { ++recentRefills; }

    int interval = 5500;
    bool startAtBeginning = false;
    bool playInReverse = false;
    bool animateGif = true;
    bool autoSave = true;
    bool hideFolderTab = false;
    int folderTabChanges = 0;
    TRecentFolders recent{20};
    int recentRefills = 0;
    QString failure; // the error the first setter raises, when not empty
};

enum Row {
    AnimateGif,
    AutoFitPrompt,
    CloseFolderPrompt,
    FullScreenPrompt,
    SlideShowPrompt,
    AutoSave,
    HideFolderTab
};

class OptionsDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(SettingsStorePath());
        QFile::remove(ClassesStorePath());
    }
    static bool Checked(const QListWidget* list, int row) {
        return list->item(row)->checkState() == Qt::Checked;
    }
    static void Toggle(QListWidget* list, int row) {
        QListWidgetItem* item = list->item(row);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
    static QString Stored(const char* name) { return ReadRegString(QString::fromLatin1(name)); }
    void AddRecentFolders(int count) {
        for (int n = 1; n <= count; ++n)
            host.recent.Add(QStringLiteral("/f%1").arg(n));
    }

    FakeOptionsHost host;
    TOptionsForm form{host};
};

} // namespace

TEST_F(OptionsDlgTest, ShowsItsTabsAndRows) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Options"));
    const QStringList tabs{QStringLiteral("General"), QStringLiteral("Slide Show"),
                           QStringLiteral("Recent Folders"), QStringLiteral("File Types")};
    for (int i = 0; i < tabs.size(); ++i)
        EXPECT_EQ(form.OptionsPageControl()->tabText(i), tabs[i]);
    EXPECT_EQ(form.OptionsPageControl()->currentIndex(), 0);
    EXPECT_EQ(form.CBLGeneral()->item(4)->text(), QStringLiteral("Show Slide Show Exit Prompt"));
    EXPECT_EQ(form.CBLGeneral()->item(6)->text(),
              QStringLiteral("Hide Folder Tab for Single Folder"));
    EXPECT_EQ(form.CBLFileTypes()->count(), 9);
    EXPECT_EQ(form.CBLFileTypes()->item(0)->text(), QStringLiteral("JPEG Image (.jpg)"));
    EXPECT_EQ(form.CBLFileTypes()->item(1)->text(), QStringLiteral("JPEG Image (.jpeg)"));
    EXPECT_EQ(form.CmbSeconds()->count(), 11);
    EXPECT_EQ(form.CmbSeconds()->itemText(10), QStringLiteral("45"));
    EXPECT_EQ(form.SEMRUSize()->maximum(), 30);
    EXPECT_EQ(form.SBtnClearMRU()->text(), QStringLiteral("Clear Recent Folder List"));
}

TEST_F(OptionsDlgTest, FillsEveryTabFromTheLiveState) {
    host.startAtBeginning = true;
    host.animateGif = false;
    host.hideFolderTab = true;
    host.recent.SetMaxItems(12);
    WriteRegString(RegNames::ShowFullScreenPrompt, QStringLiteral("False"));
    RegisterFileTypes();
    ASSERT_TRUE(SetAsDefaultHandler(QStringLiteral(".png")));

    form.FillControls();
    EXPECT_EQ(form.CmbMinutes()->currentText(), QStringLiteral("0"));
    EXPECT_EQ(form.CmbSeconds()->currentText(), QStringLiteral("5"));
    EXPECT_TRUE(form.CBStartFromBeg()->isChecked());
    EXPECT_FALSE(form.CBPlayInReverse()->isChecked());
    const bool general[] = {false, true, true, false, true, true, true};
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(Checked(form.CBLGeneral(), row), general[row]) << row;
    EXPECT_EQ(form.SEMRUSize()->value(), 12);
    for (int row = 0; row < 9; ++row)
        EXPECT_EQ(Checked(form.CBLFileTypes(), row), row == 4) << row;
    EXPECT_FALSE(form.SBtnApply()->isEnabled());

    // Every change enables Apply.
    form.CmbMinutes()->setCurrentText(QStringLiteral("3"));
    EXPECT_TRUE(form.SBtnApply()->isEnabled());
}

TEST_F(OptionsDlgTest, ApplyChangesTheLiveStateAndStoresThePromptFlags) {
    form.FillControls();
    form.CmbMinutes()->setCurrentText(QStringLiteral("none"));
    form.CmbSeconds()->setCurrentText(QStringLiteral("20"));
    form.CBPlayInReverse()->setChecked(true);
    for (int row : {AnimateGif, AutoFitPrompt, AutoSave})
        Toggle(form.CBLGeneral(), row);
    ASSERT_TRUE(form.SBtnApply()->isEnabled());
    form.SBtnApply()->click();

    EXPECT_EQ(host.interval, 20000);
    EXPECT_TRUE(host.playInReverse);
    EXPECT_FALSE(host.animateGif);
    EXPECT_FALSE(host.autoSave);
    EXPECT_EQ(host.folderTabChanges, 0);
    EXPECT_EQ(Stored(RegNames::ShowAutoFitPrompt), QStringLiteral("False"));
    for (const char* name : {RegNames::ShowCloseFolderPrompt, RegNames::ShowFullScreenPrompt,
                             RegNames::ShowSlideShowPrompt})
        EXPECT_EQ(Stored(name), QStringLiteral("True")) << name;
    EXPECT_FALSE(form.SBtnApply()->isEnabled());
    EXPECT_EQ(host.recentRefills, 0);
}

TEST_F(OptionsDlgTest, HideFolderTabReachesTheMainWindowOnlyWhenChanged) {
    form.FillControls();
    Toggle(form.CBLGeneral(), HideFolderTab);
    ASSERT_TRUE(form.ApplyOptions());
    EXPECT_TRUE(host.hideFolderTab);
    ASSERT_TRUE(form.ApplyOptions());
    EXPECT_EQ(host.folderTabChanges, 1);
}

TEST_F(OptionsDlgTest, ARefusedPauseKeepsTheDialogOpenWithRecentSizeAndFileTypesApplied) {
    AddRecentFolders(12);
    RegisterFileTypes();
    SeenMessage seen;
    bool stayedOpen = false;
    WhenModalShown([&](QWidget* dialog) {
        form.SEMRUSize()->setValue(5);
        Toggle(form.CBLFileTypes(), 0);
        form.CmbMinutes()->setCurrentText(QStringLiteral("0"));
        form.CmbSeconds()->setCurrentText(QStringLiteral("0"));
        WhenModalShown(NoteAndCloseMessageBox(seen));
        ClickButton("SBtnOkay")(dialog);
        stayedOpen = dialog->isVisible();
        ClickButton("SBtnCancel")(dialog);
    });
    EXPECT_EQ(form.ShowModal(), 2);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(seen.text, QStringLiteral("Slide Show Interval Must be Greater than 0"));
    EXPECT_EQ(host.interval, 5500);
    // Already in effect: the five oldest folders remain, and .jpg opens here.
    EXPECT_EQ(host.recent.Count(), 5);
    EXPECT_EQ(host.recent.Items().first(), QStringLiteral("/f5"));
    EXPECT_EQ(host.recent.MaxItems(), 5);
    EXPECT_EQ(host.recentRefills, 1);
    EXPECT_TRUE(IsDefaultHandler(QStringLiteral(".jpg")));
    EXPECT_EQ(Stored(RegNames::ShowAutoFitPrompt), QString());
}

TEST_F(OptionsDlgTest, AFileTypeThatCannotBeSetIsReportedAndUnticked) {
    RegisterFileTypes();
    ASSERT_TRUE(SetAsDefaultHandler(QStringLiteral(".bmp")));
    // Not registered at all: ours can not become its default opener.
    KeyStore classes = ClassesStore();
    ClassesAccessor(classes).DeleteKey(QStringLiteral("\\.gif"));

    form.FillControls();
    ASSERT_TRUE(Checked(form.CBLFileTypes(), 2));
    Toggle(form.CBLFileTypes(), 2); // .bmp off
    Toggle(form.CBLFileTypes(), 7); // .gif on
    Toggle(form.CBLFileTypes(), 8); // .pcx on
    QString caption, heading;
    WhenModalShown([&](QWidget* box) {
        caption = box->windowTitle();
        heading = box->findChild<QLabel*>(QStringLiteral("LblHelpText"))->text();
        ClickButton("SbtnOkay")(box);
    });
    form.SBtnApply()->click();

    EXPECT_EQ(caption, QStringLiteral("Unable to Set as Default Handler"));
    EXPECT_TRUE(heading.contains(QStringLiteral(".gif"))) << heading.toStdString();
    EXPECT_FALSE(Checked(form.CBLFileTypes(), 7));
    EXPECT_FALSE(IsDefaultHandler(QStringLiteral(".bmp")));
    EXPECT_TRUE(IsDefaultHandler(QStringLiteral(".pcx")));
    // The rest of the apply went on and succeeded.
    EXPECT_FALSE(form.SBtnApply()->isEnabled());
    EXPECT_EQ(host.interval, 5000);

    // Applying again acts on no row: no second box.
    form.SBtnApply()->setEnabled(true);
    form.SBtnApply()->click();
    EXPECT_TRUE(IsDefaultHandler(QStringLiteral(".pcx")));
}

TEST_F(OptionsDlgTest, JpgAndJpegShareOneDefaultAndTickTogether) {
    form.FillControls();
    const bool bmp = Checked(form.CBLFileTypes(), 2);
    for (int row : {0, 1, 0}) {
        Toggle(form.CBLFileTypes(), row);
        EXPECT_EQ(Checked(form.CBLFileTypes(), 0), Checked(form.CBLFileTypes(), 1)) << row;
    }
    EXPECT_EQ(Checked(form.CBLFileTypes(), 2), bmp); // .bmp has a type of its own
}

TEST_F(OptionsDlgTest, AFailedJpegDefaultIsReportedOnceAndUnticksBothRows) {
    RegisterFileTypes();
    RemoveAsDefaultHandler(QStringLiteral(".jpg"));
    KeyStore classes = ClassesStore();
    ClassesAccessor(classes).DeleteKey(QStringLiteral("\\.jpg"));
    ClassesAccessor(classes).DeleteKey(QStringLiteral("\\.jpeg"));
    form.FillControls();
    ASSERT_FALSE(Checked(form.CBLFileTypes(), 0));
    Toggle(form.CBLFileTypes(), 0); // .jpg on, and with it .jpeg
    int boxes = 0;
    WhenModalShown([&](QWidget* box) {
        ++boxes;
        ClickButton("SbtnOkay")(box);
    });
    form.SBtnApply()->click();
    EXPECT_EQ(boxes, 1);
    EXPECT_FALSE(Checked(form.CBLFileTypes(), 0));
    EXPECT_FALSE(Checked(form.CBLFileTypes(), 1));
}

TEST_F(OptionsDlgTest, AnErrorWhileApplyingIsShownAndApplyStaysAvailable) {
    form.FillControls();
    form.CBStartFromBeg()->setChecked(true);
    host.failure = QStringLiteral("Access denied");
    SeenMessage seen;
    WhenModalShown(NoteAndCloseMessageBox(seen));
    form.SBtnApply()->click();
    EXPECT_EQ(seen.text, QStringLiteral("Access denied"));
    EXPECT_TRUE(form.SBtnApply()->isEnabled());
    EXPECT_FALSE(host.startAtBeginning);
}

TEST_F(OptionsDlgTest, OkAppliesAndTheOtherWaysOutDoNot) {
    const struct {
        const char* what;
        std::function<void(QWidget*)> answer;
        int result;
    } cases[] = {
        {"OK", ClickButton("SBtnOkay"), 1},
        {"Enter in the seconds box",
         [](QWidget* w) {
             QTest::keyClick(w->findChild<QComboBox*>(QStringLiteral("CmbSeconds")),
                             Qt::Key_Return);
         },
         1},
        {"Close", ClickButton("SBtnCancel"), 2},
        {"Esc", PressKey(Qt::Key_Escape), 2},
        {"close box", [](QWidget* w) { w->close(); }, 2},
    };
    for (const auto& c : cases) {
        host.interval = 5000;
        WhenModalShown([&](QWidget* dialog) {
            form.CmbSeconds()->setCurrentText(QStringLiteral("7"));
            c.answer(dialog);
        });
        EXPECT_EQ(form.ShowModal(), c.result) << c.what;
        EXPECT_EQ(host.interval, c.result == 1 ? 7000 : 5000) << c.what;
    }
}

TEST_F(OptionsDlgTest, OkWithoutChangesWritesThePromptFlagsAgain) {
    WriteRegString(RegNames::ShowCloseFolderPrompt, QStringLiteral("0"));
    WhenModalShown(ClickButton("SBtnOkay"));
    EXPECT_EQ(form.ShowModal(), 1);
    EXPECT_EQ(Stored(RegNames::ShowAutoFitPrompt), QStringLiteral("True"));
    EXPECT_EQ(Stored(RegNames::ShowCloseFolderPrompt), QStringLiteral("False"));
    EXPECT_EQ(host.interval, 5000);
}

TEST_F(OptionsDlgTest, OpensOnTheRequestedPageElseOnTheLastUsed) {
    int seen = -1;
    WhenModalShown([&](QWidget* dialog) {
        seen = form.OptionsPageControl()->currentIndex();
        form.OptionsPageControl()->setCurrentIndex(3);
        ClickButton("SBtnCancel")(dialog);
    });
    form.ShowModal(OptionsPage::SlideShow);
    EXPECT_EQ(seen, 1);
    WhenModalShown([&](QWidget* dialog) {
        seen = form.OptionsPageControl()->currentIndex();
        ClickButton("SBtnCancel")(dialog);
    });
    form.ShowModal();
    EXPECT_EQ(seen, 3);
}

TEST_F(OptionsDlgTest, ClearingTheRecentListActsAtOnceWithoutApply) {
    AddRecentFolders(3);
    form.FillControls();
    form.SBtnClearMRU()->click();
    EXPECT_EQ(host.recent.Count(), 0);
    EXPECT_EQ(host.recentRefills, 1);
    EXPECT_FALSE(form.SBtnApply()->isEnabled());
    TRecentFolders stored;
    stored.Load();
    EXPECT_EQ(stored.Count(), 0);
}
