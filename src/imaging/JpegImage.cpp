// SPDX-License-Identifier: MIT
#include "imaging/JpegImage.h"

#include "imaging/AppError.h"
#include "imaging/Bitmap.h"

#include <QPainter>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
// jerror.h after jpeglib.h: the message codes, for telling a truncated file from other warnings.
#include <jerror.h>

// libjpeg reports errors through a callback that must not return. The callback jumps back to
// the function that called setjmp; those functions call only libjpeg and keep every object
// libjpeg touches in a context owned by their caller, so nothing is left half-changed on the
// stack when the jump lands. The caller then turns the message into an AppError.

namespace {

// Progressive files with more scans than this are hostile (each scan rereads the picture).
constexpr int MaxScans = 1000;
// libjpeg's own working memory (progressive coefficients of the largest accepted picture).
constexpr long MaxCodecMemory = 3L * 1024 * 1024 * 1024;

constexpr J_COLOR_SPACE Rgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void Fail(j_common_ptr cinfo, const char* text) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "%s", text);
    std::longjmp(err->jump, 1);
}

[[noreturn]] void OnErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void OnEmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0)
        return; // trace messages
    // A file that ends early would decode as grey rows: that is an error, not a picture.
    if (cinfo->err->msg_code == JWRN_JPEG_EOF)
        OnErrorExit(cinfo);
    // Other corrupt-data warnings leave a usable picture.
    ++cinfo->err->num_warnings;
}

void OnOutputMessage(j_common_ptr) {
}

void OnProgress(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxScans)
        Fail(cinfo, "too many scans in a progressive file");
}

jpeg_error_mgr* InitErrors(ErrorManager* err) {
    jpeg_std_error(&err->pub);
    err->pub.error_exit = OnErrorExit;
    err->pub.emit_message = OnEmitMessage;
    err->pub.output_message = OnOutputMessage;
    err->message[0] = '\0';
    return &err->pub;
}

AppError JpegFault(const char* message) {
    return AppError(QStringLiteral("JPEG error: %1").arg(QString::fromLocal8Bit(message)));
}

struct DecompressContext {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    DecompressContext() = default;
    DecompressContext(const DecompressContext&) = delete;
    DecompressContext& operator=(const DecompressContext&) = delete;
    ~DecompressContext() { jpeg_destroy_decompress(&cinfo); }
};

// Starts a decompressor on the bytes and reads the header. Only called from the functions
// below, after their setjmp.
void OpenDecompressor(DecompressContext* c, const QByteArray& data) {
    jpeg_create_decompress(&c->cinfo);
    c->cinfo.mem->max_memory_to_use = MaxCodecMemory;
    c->progress.progress_monitor = OnProgress;
    c->cinfo.progress = &c->progress;
    jpeg_mem_src(&c->cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&c->cinfo, TRUE);
}

bool ReadSizes(DecompressContext* c, const QByteArray& data, std::array<QSize, 4>* sizes) {
    c->cinfo.err = InitErrors(&c->err);
    if (setjmp(c->err.jump))
        return false;
    OpenDecompressor(c, data);
    for (int i = 0; i < 4; ++i) {
        c->cinfo.scale_num = 1;
        c->cinfo.scale_denom = 1u << i;
        jpeg_calc_output_dimensions(&c->cinfo);
        (*sizes)[i] = QSize(int(c->cinfo.output_width), int(c->cinfo.output_height));
    }
    return true;
}

void CmykToRgb32(const JSAMPLE* cmyk, QRgb* out, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        // Adobe writes the inks inverted: 255 means no ink.
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

bool RunDecode(DecompressContext* c, const QByteArray& data, int divisor, QImage* out) {
    c->cinfo.err = InitErrors(&c->err);
    if (setjmp(c->err.jump))
        return false;
    OpenDecompressor(c, data);
    jpeg_decompress_struct& cinfo = c->cinfo;
    cinfo.scale_num = 1;
    cinfo.scale_denom = unsigned(divisor);
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = TRUE;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    const bool inverted = cmyk && cinfo.saw_Adobe_marker;
    cinfo.out_color_space = cmyk ? JCS_CMYK : Rgb32Space;
    jpeg_start_decompress(&cinfo);
    const int width = int(cinfo.output_width);
    *out = QImage(width, int(cinfo.output_height), QImage::Format_RGB32);
    if (out->isNull())
        Fail(reinterpret_cast<j_common_ptr>(&cinfo), "not enough memory for the picture");
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                           JPOOL_IMAGE, cinfo.output_width * 4, 1)
                              : nullptr;
    while (cinfo.output_scanline < cinfo.output_height) {
        const int line = int(cinfo.output_scanline);
        JSAMPROW row = cmyk ? cmykRow[0] : out->scanLine(line);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            Fail(reinterpret_cast<j_common_ptr>(&cinfo), "the decoder stopped early");
        if (cmyk)
            CmykToRgb32(cmykRow[0], reinterpret_cast<QRgb*>(out->scanLine(line)), width, inverted);
    }
    // Every row is decoded; whatever follows the last scan does not matter.
    jpeg_abort_decompress(&cinfo);
    return true;
}

// A destination that grows a malloc'ed buffer; an allocation failure is a libjpeg error.
struct MemoryDestination {
    jpeg_destination_mgr pub{};
    unsigned char* data = nullptr;
    size_t capacity = 0;
};

void GrowDestination(j_compress_ptr cinfo, size_t capacity) {
    auto* d = reinterpret_cast<MemoryDestination*>(cinfo->dest);
    auto* grown = static_cast<unsigned char*>(std::realloc(d->data, capacity));
    if (!grown)
        Fail(reinterpret_cast<j_common_ptr>(cinfo), "not enough memory for the compressed data");
    const size_t used = d->capacity - (d->capacity ? d->pub.free_in_buffer : 0);
    d->data = grown;
    d->capacity = capacity;
    d->pub.next_output_byte = grown + used;
    d->pub.free_in_buffer = capacity - used;
}

void InitDestination(j_compress_ptr cinfo) {
    GrowDestination(cinfo, 64 * 1024);
}

boolean EmptyDestination(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<MemoryDestination*>(cinfo->dest);
    d->pub.free_in_buffer = 0;
    GrowDestination(cinfo, d->capacity * 2);
    return TRUE;
}

void TermDestination(j_compress_ptr) {
}

struct CompressContext {
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    MemoryDestination dest;
    CompressContext() = default;
    CompressContext(const CompressContext&) = delete;
    CompressContext& operator=(const CompressContext&) = delete;
    ~CompressContext() {
        jpeg_destroy_compress(&cinfo);
        std::free(dest.data);
    }
};

bool RunEncode(CompressContext* c, const QImage* image, int quality) {
    c->cinfo.err = InitErrors(&c->err);
    if (setjmp(c->err.jump))
        return false;
    jpeg_compress_struct& cinfo = c->cinfo;
    jpeg_create_compress(&cinfo);
    c->dest.pub.init_destination = InitDestination;
    c->dest.pub.empty_output_buffer = EmptyDestination;
    c->dest.pub.term_destination = TermDestination;
    cinfo.dest = &c->dest.pub;
    cinfo.image_width = JDIMENSION(image->width());
    cinfo.image_height = JDIMENSION(image->height());
    cinfo.input_components = 4;
    cinfo.in_color_space = Rgb32Space;
    jpeg_set_defaults(&cinfo); // baseline, YCbCr colour
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto row = const_cast<JSAMPROW>(image->constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

} // namespace

QByteArray EncodeJpeg(const QImage& image, int quality) {
    if (image.isNull())
        throw AppError(QStringLiteral("Cannot save an empty JPEG image"));
    QImage opaque;
    if (image.hasAlphaChannel()) {
        opaque = QImage(image.size(), QImage::Format_RGB32);
        if (opaque.isNull())
            throw AppError(QStringLiteral("JPEG error: not enough memory for the picture"));
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    } else {
        opaque = image.convertToFormat(QImage::Format_RGB32);
    }
    CompressContext context;
    if (!RunEncode(&context, &opaque, quality))
        throw JpegFault(context.err.message);
    const size_t used = context.dest.capacity - context.dest.pub.free_in_buffer;
    return QByteArray(reinterpret_cast<const char*>(context.dest.data), qsizetype(used));
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
    return std::make_unique<TJPEGImage>(*this);
}

void TJPEGImage::Clear() {
    data_.clear();
    sizes_.fill(QSize());
    decoded_ = QImage();
}

void TJPEGImage::LoadFromBytes(const QByteArray& data) {
    Clear();
    std::array<QSize, 4> sizes;
    {
        DecompressContext context;
        if (!ReadSizes(&context, data, &sizes))
            throw JpegFault(context.err.message);
    }
    CheckImageDimensions(sizes[0].width(), sizes[0].height(), QStringLiteral("JPEG image"));
    data_ = data;
    sizes_ = sizes;
}

QByteArray TJPEGImage::SaveToBytes() const {
    if (data_.isEmpty())
        throw AppError(QStringLiteral("Cannot save an empty JPEG image"));
    return data_;
}

void TJPEGImage::SetScale(int divisor) {
    if (divisor != 1 && divisor != 2 && divisor != 4 && divisor != 8)
        throw AppError(QStringLiteral("Invalid JPEG scale 1/%1").arg(divisor));
    if (divisor != scale_)
        decoded_ = QImage();
    scale_ = divisor;
}

QSize TJPEGImage::ScaledSize(int divisor) const {
    switch (divisor) {
    case 1:
        return sizes_[0];
    case 2:
        return sizes_[1];
    case 4:
        return sizes_[2];
    case 8:
        return sizes_[3];
    }
    return QSize();
}

void TJPEGImage::Decode() const {
    if (!decoded_.isNull() || data_.isEmpty())
        return;
    QImage image;
    DecompressContext context;
    if (!RunDecode(&context, data_, scale_, &image))
        throw JpegFault(context.err.message);
    decoded_ = std::move(image);
}

const QImage& TJPEGImage::Image() const {
    Decode();
    return decoded_;
}

void TJPEGImage::Draw(QPainter& painter, QPoint at) const {
    if (!Empty())
        painter.drawImage(at, Image());
}

void TJPEGImage::StretchDraw(QPainter& painter, const QRect& rect) const {
    if (!Empty())
        PlainStretch(painter, rect, Image());
}

void TJPEGImage::Assign(const TGraphic& source) {
    switch (source.Kind()) {
    case GraphicKind::Jpeg:
        *this = static_cast<const TJPEGImage&>(source);
        return;
    case GraphicKind::Bitmap: {
        const QByteArray bytes = EncodeJpeg(static_cast<const TBitmap&>(source).Image());
        TJPEGImage encoded;
        encoded.LoadFromBytes(bytes);
        *this = std::move(encoded);
        return;
    }
    default:
        throw ConvertError(QStringLiteral("Cannot assign this picture to a JPEG image"));
    }
}
