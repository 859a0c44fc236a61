// SPDX-License-Identifier: MIT
#include "imaging/GifImage.h"

#include "imaging/AppError.h"
#include "imaging/GifQuantizer.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <utility>

namespace {

constexpr int MaxGifSide = 65535; // sizes and positions are 16-bit fields

AppError GifError(const QString& what) {
    return AppError(QStringLiteral("Invalid GIF file: %1").arg(what));
}

QString LibraryMessage(int code) {
    const char* text = GifErrorString(code);
    return text ? QString::fromLatin1(text) : QStringLiteral("error %1").arg(code);
}

// The file rows of a frame in the order they are stored: top to bottom, or the four passes
// of an interlaced frame (every 8th row from 0, every 8th from 4, every 4th from 2, every
// 2nd from 1).
std::vector<int> StoredRowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    constexpr int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < height; y += step[pass])
            order.push_back(y);
    return order;
}

QList<QRgb> ToPalette(const ColorMapObject* map) {
    QList<QRgb> palette;
    if (map && map->Colors)
        for (int i = 0; i < map->ColorCount; ++i)
            palette.append(qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
    return palette;
}

// Colours for frames of a file that has no colour table at all.
QList<QRgb> GreyPalette() {
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.append(qRgb(i, i, i));
    return palette;
}

// ---- Reading ----

struct TMemoryReader {
    const QByteArray& data;
    qsizetype pos = 0;
    bool AtEnd() const { return pos >= data.size(); }
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int count) {
    auto* reader = static_cast<TMemoryReader*>(gif->UserData);
    const qsizetype n = std::clamp<qsizetype>(count, 0, reader->data.size() - reader->pos);
    std::memcpy(out, reader->data.constData() + reader->pos, size_t(n));
    reader->pos += n;
    return int(n);
}

struct TDecoderCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using TDecoderPtr = std::unique_ptr<GifFileType, TDecoderCloser>;

class TGifReader {
public:
    explicit TGifReader(const QByteArray& data) : reader_{data} {}

    TGifAnimation Read() {
        int error = 0;
        gif_.reset(DGifOpen(&reader_, ReadFromMemory, &error));
        if (!gif_)
            throw Failure(error, QStringLiteral("in the header"));
        anim_.screen = QSize(gif_->SWidth, gif_->SHeight);
        if (!anim_.screen.isEmpty())
            CheckImageDimensions(anim_.screen.width(), anim_.screen.height(),
                                 QStringLiteral("GIF logical screen"));
        anim_.globalPalette = ToPalette(gif_->SColorMap);
        anim_.backgroundIndex = gif_->SBackGroundColor;

        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(gif_.get(), &type) == GIF_ERROR) {
                // A file that stops cleanly after a complete frame only lacks its trailer.
                if (!anim_.frames.empty() && reader_.AtEnd())
                    break;
                throw Failure(gif_->Error, QStringLiteral("between records"));
            }
            if (type == TERMINATE_RECORD_TYPE)
                break;
            if (type == IMAGE_DESC_RECORD_TYPE)
                ReadFrame();
            else if (type == EXTENSION_RECORD_TYPE)
                ReadExtension();
            else
                throw GifError(QStringLiteral("unknown record type"));
        }
        if (anim_.frames.empty())
            throw GifError(QStringLiteral("the file holds no image"));
        return std::move(anim_);
    }

private:
    AppError Failure(int code, const QString& where) const {
        if (reader_.AtEnd())
            return GifError(QStringLiteral("the file is truncated (%1)").arg(where));
        return GifError(QStringLiteral("%1 (%2)").arg(LibraryMessage(code), where));
    }

    QString FrameName() const { return QStringLiteral("frame %1").arg(anim_.frames.size() + 1); }

    void ReadExtension() {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_.get(), &code, &block) == GIF_ERROR)
            throw Failure(gif_->Error, QStringLiteral("in an extension block"));
        bool loopBlock = false;
        if (block && code == GRAPHICS_EXT_FUNC_CODE && block[0] == 4) {
            GraphicsControlBlock control{};
            if (DGifExtensionToGCB(4, block + 1, &control) == GIF_OK) {
                pending_ = control;
                hasPending_ = true;
            }
        } else if (block && code == APPLICATION_EXT_FUNC_CODE && block[0] == 11) {
            loopBlock = std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 ||
                        std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0;
        }
        // Every extension is a chain of sub-blocks ending in an empty one.
        while (block) {
            if (DGifGetExtensionNext(gif_.get(), &block) == GIF_ERROR)
                throw Failure(gif_->Error, QStringLiteral("in an extension block"));
            if (loopBlock && block && block[0] >= 3 && block[1] == 1) {
                anim_.loopCount = block[2] | (block[3] << 8);
                loopBlock = false;
            }
        }
    }

    void ReadFrame() {
        if (DGifGetImageDesc(gif_.get()) == GIF_ERROR)
            throw Failure(gif_->Error, QStringLiteral("in ") + FrameName());
        if (anim_.frames.size() >= size_t(TGIFImage::MaxFrames))
            throw GifError(QStringLiteral("more than %1 frames").arg(TGIFImage::MaxFrames));
        const GifImageDesc& desc = gif_->Image;
        if (desc.Width <= 0 || desc.Height <= 0)
            throw GifError(QStringLiteral("%1 is empty").arg(FrameName()));
        CheckImageDimensions(desc.Width, desc.Height, QStringLiteral("GIF frame"));
        const QRect declared(desc.Left, desc.Top, desc.Width, desc.Height);
        if (anim_.screen.isEmpty()) {
            // Some writers leave the screen size out; the first frame's extent stands in.
            anim_.screen = QSize(qMin(declared.right() + 1, MaxGifSide),
                                 qMin(declared.bottom() + 1, MaxGifSide));
            CheckImageDimensions(anim_.screen.width(), anim_.screen.height(),
                                 QStringLiteral("GIF logical screen"));
        }
        const qint64 screenPixels = qint64(anim_.screen.width()) * anim_.screen.height();
        if (qint64(anim_.frames.size() + 1) * screenPixels > TGIFImage::MaxAnimationPixels)
            throw GifError(QStringLiteral("%1 frames of %2 x %3 pixels exceed the limit of %4 "
                                          "megapixels for an animation")
                               .arg(anim_.frames.size() + 1)
                               .arg(anim_.screen.width())
                               .arg(anim_.screen.height())
                               .arg(TGIFImage::MaxAnimationPixels / 1'000'000));

        TGifFrame frame;
        frame.interlaced = desc.Interlace;
        frame.palette = ToPalette(desc.ColorMap);
        if (frame.palette.isEmpty() && anim_.globalPalette.isEmpty())
            frame.palette = GreyPalette();
        if (hasPending_) {
            frame.delayCs = pending_.DelayTime;
            frame.disposal = pending_.DisposalMode;
            frame.transparentIndex = pending_.TransparentColor;
            hasPending_ = false;
        }
        // Parts outside the logical screen are never shown: keep only the visible part.
        frame.rect = declared & QRect(QPoint(0, 0), anim_.screen);
        ReadPixels(declared, frame);
        anim_.frames.push_back(std::move(frame));
    }

    // Decodes every row (the whole frame has to be read to reach the next record) and keeps
    // the visible part. Rows are collected as they are decoded, so memory follows the data
    // actually present rather than the declared size.
    void ReadPixels(const QRect& declared, TGifFrame& frame) {
        const QRect& visible = frame.rect;
        std::vector<GifPixelType> row(size_t(declared.width()));
        std::vector<int> keptRows;
        for (int fileRow : StoredRowOrder(declared.height(), frame.interlaced)) {
            if (DGifGetLine(gif_.get(), row.data(), declared.width()) == GIF_ERROR)
                throw Failure(gif_->Error, QStringLiteral("in ") + FrameName());
            const int y = declared.top() + fileRow;
            if (visible.isEmpty() || y < visible.top() || y > visible.bottom())
                continue;
            frame.indices.append(reinterpret_cast<const char*>(row.data()) +
                                     (visible.left() - declared.left()),
                                 visible.width());
            keptRows.push_back(y - visible.top());
        }
        if (!frame.interlaced)
            return;
        QByteArray ordered(frame.indices.size(), Qt::Uninitialized);
        for (size_t i = 0; i < keptRows.size(); ++i)
            std::memcpy(ordered.data() + qsizetype(keptRows[i]) * visible.width(),
                        frame.indices.constData() + qsizetype(i) * visible.width(),
                        size_t(visible.width()));
        frame.indices = ordered;
    }

    TMemoryReader reader_;
    TDecoderPtr gif_;
    TGifAnimation anim_;
    GraphicsControlBlock pending_{};
    bool hasPending_ = false;
};

// ---- Writing ----

int WriteToMemory(GifFileType* gif, const GifByteType* data, int count) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), count);
    return count;
}

struct TMapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using TMapPtr = std::unique_ptr<ColorMapObject, TMapFreer>;

// A colour table for the encoder, padded to a power of two entries as GIF requires.
TMapPtr MakeColorMap(const QList<QRgb>& palette) {
    if (palette.isEmpty())
        return nullptr;
    int size = 2;
    while (size < palette.size())
        size *= 2;
    std::vector<GifColorType> colours(size_t(size), GifColorType{0, 0, 0});
    for (int i = 0; i < palette.size(); ++i)
        colours[size_t(i)] = {GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])),
                              GifByteType(qBlue(palette[i]))};
    TMapPtr map(GifMakeMapObject(size, colours.data()));
    if (!map)
        throw AppError(QStringLiteral("Cannot write the GIF image: out of memory"));
    return map;
}

class TGifWriter {
public:
    QByteArray Write(const TGifAnimation& anim) {
        int error = 0;
        gif_ = EGifOpen(&out_, WriteToMemory, &error);
        if (!gif_)
            throw Failure(error);
        EGifSetGifVersion(gif_, true);
        const TMapPtr global = MakeColorMap(anim.globalPalette);
        if (EGifPutScreenDesc(gif_, anim.screen.width(), anim.screen.height(),
                              global ? global->BitsPerPixel : 8, anim.backgroundIndex,
                              global.get()) == GIF_ERROR)
            throw Failure(gif_->Error);
        if (anim.loopCount >= 0)
            PutLoopCount(anim.loopCount);
        for (const TGifFrame& frame : anim.frames)
            PutFrame(frame);
        GifFileType* gif = std::exchange(gif_, nullptr);
        if (EGifCloseFile(gif, &error) == GIF_ERROR)
            throw Failure(error);
        return out_;
    }

    ~TGifWriter() {
        if (gif_) {
            int error = 0;
            EGifCloseFile(gif_, &error);
        }
    }

private:
    static AppError Failure(int code) {
        return AppError(QStringLiteral("Cannot write the GIF image: %1").arg(LibraryMessage(code)));
    }

    void PutLoopCount(int loopCount) {
        const GifByteType loop[3] = {1, GifByteType(loopCount & 0xFF),
                                     GifByteType((loopCount >> 8) & 0xFF)};
        if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
            EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") == GIF_ERROR ||
            EGifPutExtensionBlock(gif_, 3, loop) == GIF_ERROR ||
            EGifPutExtensionTrailer(gif_) == GIF_ERROR)
            throw Failure(gif_->Error);
    }

    void PutFrame(const TGifFrame& stored) {
        TGifFrame frame = stored;
        if (frame.rect.isEmpty()) {
            // A frame that lay wholly outside the screen still takes its time: write it as
            // one transparent pixel that changes nothing.
            frame.transparentIndex = frame.transparentIndex >= 0 ? frame.transparentIndex : 0;
            frame.rect = QRect(0, 0, 1, 1);
            frame.indices = QByteArray(1, char(frame.transparentIndex));
            frame.disposal = GifDisposeKeep;
        }
        GraphicsControlBlock control{};
        control.DisposalMode = frame.disposal;
        control.UserInputFlag = false;
        control.DelayTime = frame.delayCs;
        control.TransparentColor = frame.transparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR)
            throw Failure(gif_->Error);

        const TMapPtr local = MakeColorMap(frame.palette);
        if (!local && gif_->Image.ColorMap) {
            // The encoder drops its copy of the previous frame's local palette without freeing
            // it when the next frame has none.
            GifFreeMapObject(gif_->Image.ColorMap);
            gif_->Image.ColorMap = nullptr;
        }
        const QRect& r = frame.rect;
        if (EGifPutImageDesc(gif_, r.left(), r.top(), r.width(), r.height(), frame.interlaced,
                             local.get()) == GIF_ERROR)
            throw Failure(gif_->Error);
        // The encoder masks the line in place, so it gets a copy.
        std::vector<GifPixelType> row(size_t(r.width()));
        for (int y : StoredRowOrder(r.height(), frame.interlaced)) {
            const char* source = frame.indices.constData() + qsizetype(y) * r.width();
            std::memcpy(row.data(), source, row.size());
            if (EGifPutLine(gif_, row.data(), r.width()) == GIF_ERROR)
                throw Failure(gif_->Error);
        }
    }

    QByteArray out_;
    GifFileType* gif_ = nullptr;
};

void ValidatePalette(const QList<QRgb>& palette, const QString& what) {
    if (palette.size() > 256)
        throw AppError(QStringLiteral("%1 has more than 256 colours").arg(what));
}

void ValidateAnimation(const TGifAnimation& anim) {
    const QSize& screen = anim.screen;
    if (screen.isEmpty() || screen.width() > MaxGifSide || screen.height() > MaxGifSide)
        throw AppError(
            QStringLiteral("A GIF image must be between 1 x 1 and %1 x %1 pixels").arg(MaxGifSide));
    CheckImageDimensions(screen.width(), screen.height(), QStringLiteral("GIF image"));
    if (anim.frames.empty() || anim.frames.size() > size_t(TGIFImage::MaxFrames))
        throw AppError(QStringLiteral("A GIF image must have between 1 and %1 frames")
                           .arg(TGIFImage::MaxFrames));
    ValidatePalette(anim.globalPalette, QStringLiteral("The global palette"));
    if (anim.loopCount < TGIFImage::NoLoopExtension || anim.loopCount > 0xFFFF)
        throw AppError(QStringLiteral("GIF loop count %1 is out of range").arg(anim.loopCount));
    const QRect screenRect(QPoint(0, 0), screen);
    for (size_t i = 0; i < anim.frames.size(); ++i) {
        const TGifFrame& frame = anim.frames[i];
        const QString name = QStringLiteral("GIF frame %1").arg(i + 1);
        if (frame.rect.isEmpty() || !screenRect.contains(frame.rect))
            throw AppError(QStringLiteral("%1 does not lie on the screen").arg(name));
        if (frame.indices.size() != qsizetype(frame.rect.width()) * frame.rect.height())
            throw AppError(QStringLiteral("%1 has %2 pixels for a %3 x %4 rectangle")
                               .arg(name)
                               .arg(frame.indices.size())
                               .arg(frame.rect.width())
                               .arg(frame.rect.height()));
        ValidatePalette(frame.palette, name);
        if (frame.palette.isEmpty() && anim.globalPalette.isEmpty())
            throw AppError(QStringLiteral("%1 has no colours").arg(name));
        if (frame.transparentIndex < -1 || frame.transparentIndex > 255 || frame.delayCs < 0 ||
            frame.delayCs > 0xFFFF || frame.disposal < 0 || frame.disposal > 7)
            throw AppError(QStringLiteral("%1 has settings out of range").arg(name));
    }
}

} // namespace

std::unique_ptr<TGraphic> TGIFImage::Clone() const {
    return std::make_unique<TGIFImage>(*this);
}

void TGIFImage::LoadFromBytes(const QByteArray& data) {
    anim_ = TGifAnimation();
    ResetComposition();
    anim_ = TGifReader(data).Read();
}

QByteArray TGIFImage::SaveToBytes() const {
    if (anim_.frames.empty())
        throw AppError(QStringLiteral("An empty picture cannot be saved as a GIF image"));
    return TGifWriter().Write(anim_);
}

bool TGIFImage::Transparent() const {
    return std::any_of(anim_.frames.begin(), anim_.frames.end(),
                       [](const TGifFrame& frame) { return frame.transparentIndex >= 0; });
}

void TGIFImage::ResetComposition() {
    canvas_ = QImage();
    saved_ = QImage();
    composed_ = -1;
    first_ = QImage();
}

void TGIFImage::PaintFrame(QImage& canvas, const TGifFrame& frame) const {
    const QList<QRgb>& palette = frame.palette.isEmpty() ? anim_.globalPalette : frame.palette;
    const QRect& r = frame.rect;
    for (int y = 0; y < r.height(); ++y) {
        const auto* source =
            reinterpret_cast<const uchar*>(frame.indices.constData()) + qsizetype(y) * r.width();
        auto* target = reinterpret_cast<QRgb*>(canvas.scanLine(r.top() + y)) + r.left();
        for (int x = 0; x < r.width(); ++x) {
            const int index = source[x];
            if (index == frame.transparentIndex)
                continue;
            // Indices beyond the palette show black.
            target[x] = index < palette.size() ? palette[index] | 0xFF000000 : 0xFF000000;
        }
    }
}

void TGIFImage::Dispose(const TGifFrame& frame) const {
    const QRect& r = frame.rect;
    if (r.isEmpty())
        return;
    if (frame.disposal == GifDisposeBackground) {
        // Browsers show the background as transparent; so does this program.
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(canvas_.scanLine(y)) + r.left();
            std::fill(line, line + r.width(), 0);
        }
    } else if (frame.disposal == GifDisposePrevious && !saved_.isNull()) {
        for (int y = 0; y < r.height(); ++y)
            std::memcpy(reinterpret_cast<QRgb*>(canvas_.scanLine(r.top() + y)) + r.left(),
                        saved_.constScanLine(y), size_t(r.width()) * sizeof(QRgb));
    }
}

namespace {
QImage BlankCanvas(QSize size) {
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        throw AppError(QStringLiteral("Not enough memory to show a GIF image of %1 x %2 pixels")
                           .arg(size.width())
                           .arg(size.height()));
    canvas.fill(0);
    return canvas;
}
} // namespace

QImage TGIFImage::Frame(int index) const {
    if (index < 0 || index >= FrameCount())
        return QImage();
    if (composed_ < 0 || index < composed_) {
        composed_ = -1;
        canvas_ = BlankCanvas(anim_.screen);
    }
    while (composed_ < index) {
        if (composed_ >= 0)
            Dispose(anim_.frames[size_t(composed_)]);
        const TGifFrame& frame = anim_.frames[size_t(++composed_)];
        saved_ = frame.disposal == GifDisposePrevious ? canvas_.copy(frame.rect) : QImage();
        PaintFrame(canvas_, frame);
    }
    return canvas_;
}

int TGIFImage::FrameDelayMs(int index) const {
    if (index < 0 || index >= FrameCount())
        return 0;
    return anim_.frames[size_t(index)].delayCs * 10;
}

QImage TGIFImage::ToImage() const {
    if (anim_.frames.empty())
        return QImage();
    if (first_.isNull()) {
        QImage canvas = BlankCanvas(anim_.screen);
        PaintFrame(canvas, anim_.frames.front());
        first_ = canvas;
    }
    return first_;
}

void TGIFImage::Draw(QPainter& painter, QPoint at) const {
    painter.drawImage(at, ToImage());
}

void TGIFImage::StretchDraw(QPainter& painter, const QRect& rect) const {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect, ToImage());
    painter.restore();
}

void TGIFImage::SetAnimation(TGifAnimation animation) {
    ValidateAnimation(animation);
    anim_ = std::move(animation);
    ResetComposition();
}

void TGIFImage::Assign(const TGraphic& source) {
    if (source.Kind() == GraphicKind::Gif) {
        if (&source != this)
            *this = static_cast<const TGIFImage&>(source);
        return;
    }
    if (source.Kind() != GraphicKind::Bitmap)
        throw ConvertError(QStringLiteral("A GIF image can only be made from a GIF image or a "
                                          "bitmap"));
    const QImage image = source.ToImage();
    if (image.isNull()) {
        anim_ = TGifAnimation();
        ResetComposition();
        return;
    }
    if (image.width() > MaxGifSide || image.height() > MaxGifSide)
        throw AppError(
            QStringLiteral("A GIF image cannot be larger than %1 x %1 pixels").arg(MaxGifSide));
    TQuantizedImage reduced = QuantizeImage(image, true);
    TGifAnimation animation;
    animation.screen = image.size();
    animation.globalPalette = std::move(reduced.palette);
    TGifFrame frame;
    frame.rect = QRect(QPoint(0, 0), image.size());
    frame.indices = std::move(reduced.indices);
    frame.transparentIndex = reduced.transparentIndex;
    animation.frames.push_back(std::move(frame));
    SetAnimation(std::move(animation));
}
