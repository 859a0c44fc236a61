// SPDX-License-Identifier: MIT
#include "tools/ToolBoxSizes.h"

#include "imaging/GenUtilUnit.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Halves to the even neighbour; results beyond the int range (a huge typed number) are clamped
// rather than overflowing.
int RoundToInt(double value) {
    if (!std::isfinite(value))
        return 0;
    return RoundHalfEven(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}

// A pixel count as percent of the image's extent; 0 without an image.
int PercentOfPixels(double pixels, int extent) {
    return extent > 0 ? RoundToInt(pixels / extent * 100) : 0;
}

int PixelsOfPercent(double percent, int extent) {
    return RoundToInt(extent * (percent / 100));
}

} // namespace

void TToolBoxSizes::SetImageSize(QSize size) {
    const bool valid = size.width() > 0 && size.height() > 0;
    width_.extent = valid ? size.width() : 0;
    height_.extent = valid ? size.height() : 0;
}

void TToolBoxSizes::EditWidthChange(const QString& text) {
    EditChange(width_, height_, text);
}

void TToolBoxSizes::EditHeightChange(const QString& text) {
    EditChange(height_, width_, text);
}

void TToolBoxSizes::CmbWidthTypeChange(int index) {
    UnitChange(width_, height_, index);
}

void TToolBoxSizes::CmbHeightTypeChange(int index) {
    UnitChange(height_, width_, index);
}

void TToolBoxSizes::EditChange(Axis& edited, Axis& other, const QString& text) {
    edited.text = text;
    if (!proportional_ || syncing_)
        return;
    const double number = EditNumber(text);
    QString synced;
    if (other.unit == Pixels && edited.unit == Pixels)
        synced = QString::number(
            edited.extent > 0 ? RoundToInt(other.extent * (number / edited.extent)) : 0);
    else if (other.unit == Pixels)
        synced = QString::number(PixelsOfPercent(number, other.extent));
    else if (edited.unit == Percent)
        synced = text;
    else
        synced = QString::number(AxisPercent(edited));
    syncing_ = true;
    EditChange(other, edited, synced);
    syncing_ = false;
}

void TToolBoxSizes::UnitChange(Axis& axis, Axis& other, int index) {
    const Unit unit = index == Percent ? Percent : Pixels;
    axis.unit = unit;
    if (unit == axis.lastUnit)
        return;
    const double number = EditNumber(axis.text);
    const int converted = unit == Percent ? PercentOfPixels(number, axis.extent)
                                          : PixelsOfPercent(number, axis.extent);
    EditChange(axis, other, QString::number(converted));
    axis.lastUnit = unit;
}

void TToolBoxSizes::ResetSizes() {
    if (!HasImage())
        return;
    const auto fullSize = [](const Axis& axis) {
        return axis.unit == Percent ? QStringLiteral("100") : QString::number(axis.extent);
    };
    EditWidthChange(fullSize(width_));
    EditHeightChange(fullSize(height_));
}

int TToolBoxSizes::AxisPercent(const Axis& axis) {
    const int number = EditNumber(axis.text);
    return axis.unit == Percent ? number : PercentOfPixels(number, axis.extent);
}

int TToolBoxSizes::AxisPixels(const Axis& axis) {
    const int number = EditNumber(axis.text);
    return axis.unit == Pixels ? number : PixelsOfPercent(number, axis.extent);
}

bool TToolBoxSizes::SizeChanged() const {
    return !(WidthPercent() == 100 && HeightPercent() == 100);
}

int TToolBoxSizes::EditNumber(const QString& text) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    return ok ? number : 0;
}

bool TToolBoxSizes::IsSizeEditChar(QChar c) {
    const char16_t code = c.unicode();
    return (code >= u'0' && code <= u'9') || code == u'.' || code == 8 || code == 9 || code == 12 ||
           code == 13 || code == 27;
}
