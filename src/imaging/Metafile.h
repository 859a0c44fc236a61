// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/EmfPlayer.h"
#include "imaging/Graphic.h"
#include "imaging/WmfPlayer.h"

#include <QByteArray>
#include <variant>

// The ".wmf" and ".emf" kind: a Windows metafile (placeable or plain) or an enhanced metafile,
// played through QPainter whenever it is drawn. The file's bytes are kept, so an unchanged
// metafile saves back exactly as it was read when the target form is the form it holds.
class TMetafile final : public TGraphic {
public:
    GraphicKind Kind() const override { return GraphicKind::Metafile; }
    std::unique_ptr<TGraphic> Clone() const override;

    // Recognises the form from the contents (placeable or plain Windows metafile, enhanced
    // metafile), works out the size and checks every record. Throws AppError saying what is
    // wrong; the metafile is empty then.
    void LoadFromBytes(const QByteArray& data) override;
    // The held bytes when they are in the form Enhanced() asks for; otherwise the picture
    // redrawn at its own size and written in that form as one stretched bitmap record
    // (a placeable Windows metafile at 96 units per inch, or an enhanced metafile).
    // Throws AppError for an empty metafile.
    QByteArray SaveToBytes() const override;

    int Width() const override { return size_.width(); }
    int Height() const override { return size_.height(); }
    // A metafile draws only what its records draw.
    bool Transparent() const override { return true; }

    void Draw(QPainter& painter, QPoint at) const override;
    // Plays the records scaled into `rect`.
    void StretchDraw(QPainter& painter, const QRect& rect) const override;

    // Copies another metafile. From a bitmap it makes a metafile of the bitmap's size holding
    // the picture as a stretched bitmap record, in the form Enhanced() names. Any other kind
    // throws ConvertError. Unchanged when it throws.
    void Assign(const TGraphic& source) override;

    // The form SaveToBytes writes: true for an enhanced metafile (".emf"), false for a
    // placeable Windows metafile (".wmf"). A new metafile is enhanced; loading sets the form
    // of the file. Code that saves a metafile to a path sets it first from
    // IsEnhancedMetafilePath(path).
    bool Enhanced() const { return enhanced_; }
    void SetEnhanced(bool enhanced) { enhanced_ = enhanced; }

    // The form of the held bytes, and the bytes themselves (empty for an empty metafile).
    bool HoldsEnhanced() const { return std::holds_alternative<TEmfPlayer>(player_); }
    const QByteArray& Data() const { return data_; }

private:
    QByteArray data_;
    std::variant<std::monostate, TWmfPlayer, TEmfPlayer> player_;
    QSize size_;
    bool enhanced_ = true;
};
