// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/Graphic.h"

#include <QString>
#include <memory>

// An empty graphic of the given kind, from the one table of graphic classes. Throws AppError
// for a kind whose codec is not part of this build.
std::unique_ptr<TGraphic> CreateGraphic(GraphicKind kind);

// Holder of exactly one graphic (or none).
class TPicture {
public:
    TPicture() = default;
    TPicture(const TPicture& other) { Assign(other); }
    TPicture& operator=(const TPicture& other) {
        Assign(other);
        return *this;
    }
    TPicture(TPicture&&) noexcept = default;
    TPicture& operator=(TPicture&&) noexcept = default;

    // Decodes the file with the graphic kind its extension names. An extension without a row
    // throws AppError; so does a decoder error. The picture is empty after any failure, never
    // left showing the previous file.
    // A JPEG is decoded at once so that damaged data is reported here; with `checkJpegNow` off
    // that is left to whoever decodes it first (the viewer checks it at the scale it shows).
    void LoadFromFile(const QString& path, bool checkJpegNow = true);

    // Holds a copy of `graphic`, of the same kind.
    void Assign(const TGraphic& graphic);
    void Assign(const TPicture& other);

    // The held graphic, or null when the picture is empty.
    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic) { graphic_ = std::move(graphic); }
    std::unique_ptr<TGraphic> TakeGraphic() { return std::move(graphic_); }
    void Clear() { graphic_.reset(); }

    // Size of the graphic; 0 x 0 when empty.
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

private:
    std::unique_ptr<TGraphic> graphic_;
};
