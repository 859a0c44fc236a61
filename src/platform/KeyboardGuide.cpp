// SPDX-License-Identifier: MIT
#include "platform/KeyboardGuide.h"

#include <QStringList>

namespace {

using C = KeyCommand;

QString ScrollCaption(int argument) {
    switch (argument) {
    case -1:
        return QStringLiteral("Scroll up");
    case +1:
        return QStringLiteral("Scroll down");
    case -10:
        return QStringLiteral("Scroll up a page");
    case +10:
        return QStringLiteral("Scroll down a page");
    case -100:
        return QStringLiteral("Scroll to the top");
    default:
        return QStringLiteral("Scroll to the bottom");
    }
}

QString TransformCaption(int code) {
    switch (code) {
    case 1:
        return QStringLiteral("Rotate 90\u00b0 clockwise");
    case 2:
        return QStringLiteral("Rotate 180\u00b0");
    case 3:
        return QStringLiteral("Rotate 90\u00b0 counter-clockwise");
    case 4:
        return QStringLiteral("Flip horizontally");
    default:
        return QStringLiteral("Flip vertically");
    }
}

QString ConditionCaption(KeyCondition condition) {
    switch (condition) {
    case KeyCondition::Always:
        return QString();
    case KeyCondition::MoreThanOneTab:
        return QStringLiteral("with more than one folder open");
    case KeyCondition::FolderCommands:
        return QStringLiteral("with a folder open and no slide show running");
    case KeyCondition::SlideShowActive:
        return QStringLiteral("during a slide show");
    case KeyCondition::FullScreen:
        return QStringLiteral("in full screen");
    }
    return QString();
}

QString Cell(const QString& text) {
    return QStringLiteral("<td>") + text.toHtmlEscaped() + QStringLiteral("</td>");
}

QString TableHtml(const QString& heading, const QString& note, std::span<const KeyRow> table) {
    QStringList html{QStringLiteral("<h2>") + heading.toHtmlEscaped() + QStringLiteral("</h2>")};
    if (!note.isEmpty())
        html << QStringLiteral("<p>") + note.toHtmlEscaped() + QStringLiteral("</p>");
    html << QStringLiteral("<table>")
         << QStringLiteral("<tr><th>Key</th><th>Action</th><th>When</th></tr>");
    for (int i = 0; i < int(table.size()); ++i) {
        const KeyRow& row = table[i];
        html << QStringLiteral("<tr>") + Cell(KeyGuideText(row)) +
                    Cell(KeyCommandCaption(row.command, row.argument)) +
                    Cell(KeyRowConditionCaption(table, i)) + QStringLiteral("</tr>");
    }
    html << QStringLiteral("</table>");
    return html.join(QLatin1Char('\n'));
}

} // namespace

QString KeyboardGuideFileName() {
    return QStringLiteral("keyboard_guide.html");
}

QString KeyCommandCaption(KeyCommand command, int argument) {
    switch (command) {
    case C::None:
        return QString();
    case C::ScrollHorizontal:
        return argument < 0 ? QStringLiteral("Scroll left") : QStringLiteral("Scroll right");
    case C::ScrollVertical:
        return ScrollCaption(argument);
    case C::PreviousImage:
        return QStringLiteral("Previous image");
    case C::NextImage:
        return QStringLiteral("Next image");
    case C::PreviousTab:
        return QStringLiteral("Previous folder tab");
    case C::NextTab:
        return QStringLiteral("Next folder tab");
    case C::RenameImage:
        return QStringLiteral("Rename the image file");
    case C::ShowOpenFolderDialog:
        return QStringLiteral("Open a folder");
    case C::PrintImage:
        return QStringLiteral("Print the image");
    case C::ShowAbout:
        return QStringLiteral("About Orvo Image Browser");
    case C::EmailSelection:
        return QStringLiteral("E-mail the selected images");
    case C::ShowToolbox:
        return QStringLiteral("Show the image tools");
    case C::TransformImage:
        return TransformCaption(argument);
    case C::ZoomBy:
        return argument < 0 ? QStringLiteral("Zoom out") : QStringLiteral("Zoom in");
    case C::ToggleFullScreen:
        return QStringLiteral("Full screen on or off");
    case C::ReloadImage:
        return QStringLiteral("Reload the image");
    case C::CutSelected:
        return QStringLiteral("Cut the selected files");
    case C::CopySelected:
        return QStringLiteral("Copy the selected files");
    case C::PasteHere:
        return QStringLiteral("Paste files into the folder");
    case C::SelectAll:
        return QStringLiteral("Select all files");
    case C::DeleteSelected:
        return QStringLiteral("Delete the selected files");
    case C::RescanFolder:
        return QStringLiteral("Refresh the folder");
    case C::CloseMainWindow:
        return QStringLiteral("Close the program");
    case C::ToggleAutoFit:
        return QStringLiteral("Auto-fit on or off");
    case C::SaveImage:
        return QStringLiteral("Save the image");
    case C::StartSlideShow:
        return QStringLiteral("Start the slide show");
    case C::StopSlideShow:
        return QStringLiteral("Stop the slide show");
    case C::PauseSlideShow:
        return QStringLiteral("Pause the slide show");
    case C::ShowOptions:
        return QStringLiteral("Options");
    }
    return QString();
}

QString KeyRowConditionCaption(std::span<const KeyRow> table, int index) {
    const KeyRow& row = table[index];
    if (row.condition != KeyCondition::Always)
        return ConditionCaption(row.condition);
    for (int i = 0; i < index; ++i)
        if (table[i].key == row.key && table[i].keypadOnly == row.keypadOnly &&
            table[i].modifiers == row.modifiers)
            return QStringLiteral("otherwise");
    return QString();
}

QByteArray KeyboardGuideHtml() {
    const QStringList page{
        QStringLiteral("<!DOCTYPE html>"),
        QStringLiteral("<html lang=\"en\">"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta charset=\"utf-8\">"),
        QStringLiteral("<title>Orvo Image Browser 2 - Keyboard Shortcut Guide</title>"),
        QStringLiteral("<style>body { font-family: sans-serif; } table { border-collapse: "
                       "collapse; } th, td { border: 1px solid #999; padding: 2px 8px; "
                       "text-align: left; }</style>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<h1>Keyboard Shortcut Guide</h1>"),
        TableHtml(QStringLiteral("Viewing"),
                  QStringLiteral("These keys work while the folder's file list does not have "
                                 "the keyboard focus."),
                  ViewerKeyTable()),
        TableHtml(QStringLiteral("Commands"), QString(), CommandKeyTable()),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    return (page.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}
