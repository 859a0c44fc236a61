// SPDX-License-Identifier: MIT
// The resize entry of the image tools window without its controls: a width and a height, each
// in pixels or in percent of the shown image, optionally kept in proportion. The window mirrors
// the two edit texts and the two unit lists; every change the user makes goes through here.
#pragma once

#include <QChar>
#include <QSize>
#include <QString>

class TToolBoxSizes {
public:
    // Indexes of the unit lists.
    enum Unit : int { Pixels = 0, Percent = 1 };

    // The shown image's size; an empty size while no image is shown (the sizes are then 0).
    void SetImageSize(QSize size);
    bool HasImage() const { return width_.extent > 0 && height_.extent > 0; }

    const QString& WidthText() const { return width_.text; }
    const QString& HeightText() const { return height_.text; }
    Unit WidthUnit() const { return width_.unit; }
    Unit HeightUnit() const { return height_.unit; }

    // "Constrain Proportions": a change of one edit rewrites the other.
    bool Proportional() const { return proportional_; }
    void SetProportional(bool on) { proportional_ = on; }
    // True only while one edit is writing the other.
    bool Syncing() const { return syncing_; }

    // An edit's text changed (typed, or written by the window). With proportions constrained the
    // other edit follows, unless this change is itself that follow-up.
    void EditWidthChange(const QString& text);
    void EditHeightChange(const QString& text);
    // A unit list changed: the edit's number is converted to the new unit (which in turn
    // re-syncs the other edit). Choosing the unit converted to last does nothing.
    void CmbWidthTypeChange(int index);
    void CmbHeightTypeChange(int index);
    // With an image: both edits show the image's size ("100" in a percent unit).
    void ResetSizes();

    // The sizes as percent of the image and as pixels, whatever unit the edits are in.
    int WidthPercent() const { return AxisPercent(width_); }
    int HeightPercent() const { return AxisPercent(height_); }
    int WidthPixels() const { return AxisPixels(width_); }
    int HeightPixels() const { return AxisPixels(height_); }
    // Resize and Revert have something to do: not both percentages round to 100.
    bool SizeChanged() const;

    // An edit's number: the trimmed text as a whole decimal number; anything else counts as 0.
    static int EditNumber(const QString& text);
    // The characters the size edits accept as typed: digits, ".", and the control characters
    // Backspace, Tab, 12, Enter and Escape.
    static bool IsSizeEditChar(QChar c);

private:
    struct Axis {
        QString text;
        Unit unit = Pixels;
        Unit lastUnit = Pixels;
        int extent = 0; // the image's width or height; 0 without an image
    };

    static int AxisPercent(const Axis& axis);
    static int AxisPixels(const Axis& axis);
    void EditChange(Axis& edited, Axis& other, const QString& text);
    void UnitChange(Axis& axis, Axis& other, int index);

    Axis width_;
    Axis height_;
    bool proportional_ = true;
    bool syncing_ = false;
};
