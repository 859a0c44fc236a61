// SPDX-License-Identifier: MIT
#include "imaging/Metafile.h"

#include "imaging/AppError.h"
#include "imaging/MetafileWriter.h"

#include <QPainter>
#include <QtEndian>

namespace {

bool LooksEnhanced(const QByteArray& data) {
    // An enhanced metafile starts with its header record, type 1.
    return data.size() >= 4 && qFromLittleEndian<quint32>(data.constData()) == 1;
}

bool LooksWindows(const QByteArray& data) {
    if (data.size() < 4)
        return false;
    const quint32 first = qFromLittleEndian<quint32>(data.constData());
    const quint16 type = quint16(first & 0xFFFF);
    // The placeable key, or the header of a plain file: type 1 or 2, 9 header words.
    return first == 0x9AC6CDD7 || ((type == 1 || type == 2) && (first >> 16) == 9);
}

} // namespace

std::unique_ptr<TGraphic> TMetafile::Clone() const {
    return std::make_unique<TMetafile>(*this);
}

void TMetafile::LoadFromBytes(const QByteArray& data) {
    data_.clear();
    player_ = std::monostate();
    size_ = QSize();
    if (LooksEnhanced(data)) {
        TEmfPlayer player(data);
        size_ = player.Size();
        player_ = std::move(player);
        enhanced_ = true;
    } else if (LooksWindows(data)) {
        TWmfPlayer player(data);
        size_ = player.Size();
        player_ = std::move(player);
        enhanced_ = false;
    } else {
        throw AppError(data.isEmpty()
                           ? QStringLiteral("The metafile is empty")
                           : QStringLiteral("Not a Windows or enhanced metafile: unknown header"));
    }
    data_ = data;
}

QByteArray TMetafile::SaveToBytes() const {
    if (!data_.isEmpty() && HoldsEnhanced() == enhanced_)
        return data_;
    if (Empty())
        throw AppError(QStringLiteral("Cannot save an empty metafile"));
    const QImage image = ToImage();
    return enhanced_ ? WriteEmf(image) : WritePlaceableWmf(image);
}

void TMetafile::Draw(QPainter& painter, QPoint at) const {
    StretchDraw(painter, QRect(at, size_));
}

void TMetafile::StretchDraw(QPainter& painter, const QRect& rect) const {
    if (Empty() || rect.isEmpty())
        return;
    try {
        std::visit(
            [&](const auto& player) {
                if constexpr (!std::is_same_v<std::decay_t<decltype(player)>, std::monostate>)
                    player.Play(painter, QRectF(rect));
            },
            player_);
    } catch (const AppError&) {
        // Every record was checked when the file was read; what is left is a bitmap that
        // could not be decoded now (memory). Drawing stops there, leaving what was drawn.
    }
}

void TMetafile::Assign(const TGraphic& source) {
    if (const auto* other = dynamic_cast<const TMetafile*>(&source)) {
        if (other != this)
            *this = *other;
        return;
    }
    if (source.Kind() != GraphicKind::Bitmap)
        throw ConvertError(QStringLiteral("A metafile can only be made from a metafile or a "
                                          "bitmap"));
    if (source.Empty()) {
        data_.clear();
        player_ = std::monostate();
        size_ = QSize();
        return;
    }
    const QImage image = source.ToImage();
    const bool enhanced = enhanced_;
    TMetafile made;
    made.LoadFromBytes(enhanced ? WriteEmf(image) : WritePlaceableWmf(image));
    *this = std::move(made);
    enhanced_ = enhanced;
}
