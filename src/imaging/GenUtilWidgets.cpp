// SPDX-License-Identifier: MIT
#include "imaging/GenUtilWidgets.h"

#include "imaging/GenUtilUnit.h"

#include <QPushButton>
#include <QWidget>

namespace {

template <typename Visit> void VisitDeep(QWidget* widget, const Visit& visit) {
    visit(widget);
    for (QObject* child : widget->children())
        if (child->isWidgetType())
            VisitDeep(static_cast<QWidget*>(child), visit);
}

} // namespace

void WidenButtonsForDpi(QWidget* root) {
    WidenButtonsForDpi(root, ScreenResolution());
}

void WidenButtonsForDpi(QWidget* root, int resolution) {
    if (!root || resolution == 96)
        return;
    VisitDeep(root, [resolution](QWidget* widget) {
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            const int width = ScaleForDpiSoft(button->width(), resolution);
            button->resize(width, button->height());
            button->setMinimumWidth(qMin(button->minimumWidth(), width));
        }
    });
}

bool IsInControlList(const QWidget* widget, const QList<const QWidget*>& list) {
    return widget && list.contains(widget);
}

void SetCursorDeep(QWidget* root, const QCursor& cursor) {
    if (root)
        VisitDeep(root, [&cursor](QWidget* widget) { widget->setCursor(cursor); });
}

void SetEnabledDeep(QWidget* root, bool enabled, const QList<const QWidget*>& exceptions) {
    if (!root)
        return;
    VisitDeep(root, [enabled, &exceptions](QWidget* widget) {
        if (!IsInControlList(widget, exceptions))
            widget->setEnabled(enabled);
    });
}
