// SPDX-License-Identifier: MIT
#include "dialogs/OptionsFormUnit.h"

#include "settings/DesktopEntry.h"

#include "dialogs/Dialogs.h"
#include "dialogs/HelpDlgUnit.h"
#include "dialogs/ModalResult.h"
#include "dialogs/OptionsHost.h"
#include "dialogs/OptionsRules.h"
#include "imaging/AppError.h"
#include "imaging/GenUtilWidgets.h"
#include "settings/FileAssociations.h"
#include "settings/RecentFolders.h"
#include "settings/RegistryUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace {

// Rows of the general check list.
enum GeneralRow : int {
    AnimateGifRow,
    AutoFitPromptRow, // the four prompt flags follow in this order
    CloseFolderPromptRow,
    FullScreenPromptRow,
    SlideShowPromptRow,
    AutoSaveRow,
    HideFolderTabRow,
};

const char* const GeneralCaptions[] = {
    "Enable Gif Animation",
    "Show Auto-fit Prompt",
    "Show Close Folder Prompt",
    "Show Full Screen Prompt",
    "Show Slide Show Exit Prompt",
    "Auto-Save Large Rotated Images",
    "Hide Folder Tab for Single Folder",
};

// The settings of the four prompt rows, written in this order.
const char* const PromptFlags[] = {RegNames::ShowAutoFitPrompt, RegNames::ShowCloseFolderPrompt,
                                   RegNames::ShowFullScreenPrompt, RegNames::ShowSlideShowPrompt};

struct FileTypeRow {
    const char* caption;
    const char* extension;
};
const FileTypeRow FileTypeRows[TOptionsForm::FileTypeCount] = {
    {"JPEG Image (.jpg)", ".jpg"},
    {"JPEG Image (.jpeg)", ".jpeg"},
    {"Bitmap (.bmp)", ".bmp"},
    {"Windows Icon (.ico)", ".ico"},
    {"PNG Image (.png)", ".png"},
    {"Windows Metafile Image (.wmf)", ".wmf"},
    {"Enhanced Metafile Image (.emf)", ".emf"},
    {"GIF Image (.gif)", ".gif"},
    {"PCX Image (.pcx)", ".pcx"},
};

QString Extension(int row) {
    return QString::fromLatin1(FileTypeRows[row].extension);
}

QListWidget* MakeCheckList(QWidget* parent, const char* name, const QStringList& captions) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (const QString& caption : captions) {
        auto* item = new QListWidgetItem(caption, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    return list;
}

bool IsChecked(const QListWidget* list, int row) {
    return list->item(row)->checkState() == Qt::Checked;
}

void SetChecked(QListWidget* list, int row, bool on) {
    list->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

QComboBox* MakeTypableList(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Runs one user action; an error is shown in a standard error box. False when one was raised.
bool RunGuarded(QWidget* owner, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const AppError& error) {
        ShowStandardErrorBox(error.Message(), owner);
    } catch (const std::exception& error) {
        ShowStandardErrorBox(QString::fromLocal8Bit(error.what()), owner);
    }
    return false;
}

constexpr int Margin = 4;

} // namespace

TOptionsForm::TOptionsForm(OptionsHost& host, QWidget* parent) : TModalDialog(parent), host_(host) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
    optionsPageControl_ = new QTabWidget(this);
    optionsPageControl_->setObjectName(QStringLiteral("OptionsPageControl"));
    optionsPageControl_->addTab(CreateGeneralTab(), QStringLiteral("General"));
    optionsPageControl_->addTab(CreateSlideShowTab(), QStringLiteral("Slide Show"));
    optionsPageControl_->addTab(CreateRecentFoldersTab(), QStringLiteral("Recent Folders"));
    optionsPageControl_->addTab(CreateFileTypesTab(), QStringLiteral("File Types"));

    auto* okay = MakeDialogButton(this, QStringLiteral("OK"), QRect(0, 0, 72, 25), "SBtnOkay");
    sbtnApply_ = MakeDialogButton(this, QStringLiteral("Apply"), QRect(0, 0, 72, 25), "SBtnApply");
    auto* cancel =
        MakeDialogButton(this, QStringLiteral("Close"), QRect(0, 0, 72, 25), "SBtnCancel");
    connect(okay, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(sbtnApply_, &QPushButton::clicked, this, &TOptionsForm::SBtnApplyClick);
    connect(cancel, &QPushButton::clicked, this, [this] { done(mrCancel); });

    WidenButtonsForDpi(this);
    LayOutWindow({okay, sbtnApply_, cancel});
}

void TOptionsForm::LayOutWindow(const QList<QPushButton*>& buttons) {
    // The design size of 290 x 200, grown where the font needs more: every tab title and every
    // check-list row visible.
    for (QListWidget* list : {cblGeneral_, cblFileTypes_})
        list->setMinimumHeight(list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth());
    const int pagesWidth = std::max({282, optionsPageControl_->minimumSizeHint().width(),
                                     optionsPageControl_->tabBar()->sizeHint().width() + 8});
    // The wrapped label takes the lines it needs at that width (page frame and margins aside).
    auto* wrapped = findChild<QLabel*>(QStringLiteral("LblFileTypes"));
    wrapped->setMinimumHeight(wrapped->heightForWidth(pagesWidth - 24));
    const int pagesHeight = std::max(158, optionsPageControl_->minimumSizeHint().height());
    optionsPageControl_->setGeometry(Margin, Margin, pagesWidth, pagesHeight);
    optionsPageControl_->setUsesScrollButtons(false);

    const int buttonTop = Margin + pagesHeight + 7;
    int right = Margin + pagesWidth;
    for (qsizetype i = buttons.size() - 1; i >= 0; --i) {
        QPushButton* button = buttons[i];
        right -= button->width();
        button->move(right, buttonTop);
        right -= 6;
    }
    setFixedSize(pagesWidth + 2 * Margin, buttonTop + buttons.first()->height() + 6);
}

QWidget* TOptionsForm::CreateGeneralTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("GeneralTab"));
    QStringList captions;
    for (const char* caption : GeneralCaptions)
        captions.append(QString::fromLatin1(caption));
    cblGeneral_ = MakeCheckList(tab, "CBLGeneral", captions);
    connect(cblGeneral_, &QListWidget::itemChanged, this, &TOptionsForm::EnableApply);

    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(2);
    layout->addWidget(MakeLabel(tab, "General Options:"));
    layout->addWidget(cblGeneral_);
    return tab;
}

QWidget* TOptionsForm::CreateSlideShowTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("SlideShowTab"));
    QStringList minutes;
    for (int m = 0; m <= 10; ++m)
        minutes.append(QString::number(m));
    cmbMinutes_ = MakeTypableList(tab, "CmbMinutes", minutes);
    cmbSeconds_ = MakeTypableList(tab, "CmbSeconds",
                                  {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                   QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                                   QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("20"),
                                   QStringLiteral("30"), QStringLiteral("45")});
    cbStartFromBeg_ = new QCheckBox(QStringLiteral("Always Start Slide Show At First Image"), tab);
    cbStartFromBeg_->setObjectName(QStringLiteral("CBStartFromBeg"));
    cbPlayInReverse_ = new QCheckBox(QStringLiteral("Play Slide Show in Reverse Order"), tab);
    cbPlayInReverse_->setObjectName(QStringLiteral("CBPlayInReverse"));
    for (QComboBox* box : {cmbMinutes_, cmbSeconds_})
        connect(box, &QComboBox::editTextChanged, this, &TOptionsForm::EnableApply);
    for (QCheckBox* box : {cbStartFromBeg_, cbPlayInReverse_})
        connect(box, &QCheckBox::toggled, this, &TOptionsForm::EnableApply);

    auto* layout = new QGridLayout(tab);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(MakeLabel(tab, "Pause Between Slides:"), 0, 0, 1, 4);
    layout->addWidget(cmbMinutes_, 1, 0);
    layout->addWidget(MakeLabel(tab, "Minutes"), 1, 1);
    layout->addWidget(cmbSeconds_, 1, 2);
    layout->addWidget(MakeLabel(tab, "Seconds"), 1, 3);
    layout->addWidget(cbStartFromBeg_, 2, 0, 1, 4);
    layout->addWidget(cbPlayInReverse_, 3, 0, 1, 4);
    layout->setRowStretch(4, 1);
    return tab;
}

QWidget* TOptionsForm::CreateRecentFoldersTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("RecentFoldersTab"));
    seMRUSize_ = new QSpinBox(tab);
    seMRUSize_->setObjectName(QStringLiteral("SEMRUSize"));
    seMRUSize_->setRange(0, 30);
    sbtnClearMRU_ =
        MakeDialogButton(tab, QStringLiteral("Clear Recent Folder List"), QRect(), "SBtnClearMRU");
    connect(seMRUSize_, &QSpinBox::valueChanged, this, &TOptionsForm::EnableApply);
    connect(sbtnClearMRU_, &QPushButton::clicked, this, &TOptionsForm::SBtnClearMRUClick);

    auto* layout = new QGridLayout(tab);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(MakeLabel(tab, "Max Size of Recent List:"), 0, 0, 1, 3);
    layout->addWidget(seMRUSize_, 1, 0);
    layout->addWidget(MakeLabel(tab, "Folders"), 1, 1);
    layout->addWidget(sbtnClearMRU_, 2, 0, 1, 3, Qt::AlignLeft);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(3, 1);
    return tab;
}

QWidget* TOptionsForm::CreateFileTypesTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("FileTypesTab"));
    QStringList captions;
    for (const FileTypeRow& row : FileTypeRows)
        captions.append(QString::fromLatin1(row.caption));
    cblFileTypes_ = MakeCheckList(tab, "CBLFileTypes", captions);
    connect(cblFileTypes_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        SyncSharedFileTypes(cblFileTypes_->row(item));
        EnableApply();
    });
    QLabel* label =
        MakeLabel(tab, "Orvo Image Browser is the Default Handler for the following File Types:");
    label->setObjectName(QStringLiteral("LblFileTypes"));
    label->setWordWrap(true);

    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(2);
    layout->addWidget(label);
    layout->addWidget(cblFileTypes_);
    return tab;
}

int TOptionsForm::ShowModal() {
    return exec();
}

int TOptionsForm::ShowModal(OptionsPage page) {
    optionsPageControl_->setCurrentIndex(static_cast<int>(page));
    return exec();
}

void TOptionsForm::showEvent(QShowEvent* event) {
    // Every showing starts from the live state; a window-system show (restoring) does not.
    if (!event->spontaneous())
        FillControls();
    TModalDialog::showEvent(event);
}

void TOptionsForm::FillControls() {
    const SlideShowPauseTexts pause = PauseTextsFromInterval(host_.SlideShowInterval());
    cmbMinutes_->setCurrentText(pause.minutes);
    cmbSeconds_->setCurrentText(pause.seconds);
    cbStartFromBeg_->setChecked(host_.StartAtBeginning());
    cbPlayInReverse_->setChecked(host_.PlayInReverse());

    SetChecked(cblGeneral_, AnimateGifRow, host_.AnimateGif());
    for (int i = 0; i < 4; ++i)
        SetChecked(cblGeneral_, AutoFitPromptRow + i, ReadRegBool(PromptFlags[i], true));
    SetChecked(cblGeneral_, AutoSaveRow, host_.AutoSaveImages());
    SetChecked(cblGeneral_, HideFolderTabRow, host_.HideFolderTab());

    const TRecentFolders* recent = host_.RecentFolders();
    seMRUSize_->setValue(recent ? recent->MaxItems() : TRecentFolders::DefaultMaxItems);

    {
        // Filling is not a change of the user's: no row pairing, no Apply.
        const QSignalBlocker quiet(cblFileTypes_);
        for (int row = 0; row < FileTypeCount; ++row)
            SetChecked(cblFileTypes_, row, IsDefaultHandler(Extension(row)));
    }
    RememberFileTypeStates();

    sbtnApply_->setEnabled(false);
}

bool TOptionsForm::ApplyOptions() {
    return RunGuarded(this, [this] {
        if (TRecentFolders* recent = host_.RecentFolders();
            recent && SetRecentFolderLimit(*recent, seMRUSize_->value()))
            host_.RecentFoldersChanged();
        ApplyFileTypes();
        // A refused pause leaves the two steps above done.
        ApplyGeneralAndSlideShow(
            IntervalFromPauseTexts(cmbMinutes_->currentText(), cmbSeconds_->currentText()));
        WritePromptFlags();
    });
}

void TOptionsForm::SyncSharedFileTypes(int changedRow) {
    // Extensions of one desktop file type (.jpg and .jpeg) have one default opener: their rows
    // tick and untick together.
    const QStringList changedTypes = MimeTypesForExtension(Extension(changedRow));
    const bool checked = IsChecked(cblFileTypes_, changedRow);
    const QSignalBlocker quiet(cblFileTypes_);
    for (int row = 0; row < FileTypeCount; ++row) {
        if (row == changedRow)
            continue;
        const QStringList types = MimeTypesForExtension(Extension(row));
        if (std::any_of(types.begin(), types.end(),
                        [&](const QString& type) { return changedTypes.contains(type); }))
            SetChecked(cblFileTypes_, row, checked);
    }
}

void TOptionsForm::ApplyFileTypes() {
    QStringList doneTypes; // a desktop type shared by two rows is set or cleared once
    for (int row = 0; row < FileTypeCount; ++row) {
        const bool checked = IsChecked(cblFileTypes_, row);
        if (checked == initialFileTypeStates_[row])
            continue;
        const QStringList types = MimeTypesForExtension(Extension(row));
        if (std::any_of(types.begin(), types.end(),
                        [&](const QString& type) { return doneTypes.contains(type); }))
            continue;
        doneTypes += types;
        if (!checked) {
            RemoveAsDefaultHandler(Extension(row));
            continue;
        }
        bool set = false;
        try {
            set = SetAsDefaultHandler(Extension(row));
        } catch (const std::exception&) {
            // A desktop file that cannot be written is the same failure to the user.
        }
        if (!set) {
            HelpDlg().PrepareDefaultHandlerError(Extension(row));
            HelpDlg().ShowModal();
            {
                const QSignalBlocker quiet(cblFileTypes_);
                SetChecked(cblFileTypes_, row, false);
            }
            SyncSharedFileTypes(row);
        }
    }
}

void TOptionsForm::ApplyGeneralAndSlideShow(int interval) {
    host_.SetSlideShowInterval(interval);
    host_.SetStartAtBeginning(cbStartFromBeg_->isChecked());
    host_.SetPlayInReverse(cbPlayInReverse_->isChecked());
    host_.SetAnimateGif(IsChecked(cblGeneral_, AnimateGifRow));
    host_.SetAutoSaveImages(IsChecked(cblGeneral_, AutoSaveRow));
    const bool hideFolderTab = IsChecked(cblGeneral_, HideFolderTabRow);
    if (hideFolderTab != host_.HideFolderTab())
        host_.SetHideFolderTab(hideFolderTab);
}

void TOptionsForm::WritePromptFlags() {
    for (int i = 0; i < 4; ++i)
        WriteRegString(PromptFlags[i], BoolToRegText(IsChecked(cblGeneral_, AutoFitPromptRow + i)));
}

void TOptionsForm::done(int result) {
    if (result == mrOk && !ApplyOptions())
        return;
    TModalDialog::done(result);
}

void TOptionsForm::SBtnApplyClick() {
    const bool applied = ApplyOptions();
    sbtnApply_->setEnabled(!applied);
    if (applied)
        RememberFileTypeStates();
}

void TOptionsForm::SBtnClearMRUClick() {
    RunGuarded(this, [this] {
        if (TRecentFolders* recent = host_.RecentFolders())
            recent->Clear();
        host_.RecentFoldersChanged();
    });
}

void TOptionsForm::RememberFileTypeStates() {
    for (int row = 0; row < FileTypeCount; ++row)
        initialFileTypeStates_[row] = IsChecked(cblFileTypes_, row);
}

void TOptionsForm::EnableApply() {
    sbtnApply_->setEnabled(true);
}
