// SPDX-License-Identifier: MIT
#include "imaging/GifQuantizer.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <climits>
#include <vector>

namespace {

constexpr int MaxColours = 256;
constexpr int HistBits = 6;
constexpr int HistSide = 1 << HistBits;
constexpr int HistSize = HistSide * HistSide * HistSide;

bool IsOpaque(QRgb pixel) {
    return qAlpha(pixel) >= 128;
}

int HistIndex(int r, int g, int b) {
    constexpr int shift = 8 - HistBits;
    return ((r >> shift) << (2 * HistBits)) | ((g >> shift) << HistBits) | (b >> shift);
}

// One occupied histogram cell: its coordinates and how many pixels fell into it.
struct TCell {
    std::array<uchar, 3> pos;
    quint32 count;
    quint64 sum[3]; // sums of the pixels' exact 8-bit channels
};

// A box of the median cut: a range of cells and their bounds.
struct TBox {
    int begin, end;
    quint64 count;
    int axis, range; // longest side and its length in cells
};

TBox MakeBox(const std::vector<TCell>& cells, int begin, int end) {
    std::array<int, 3> lo{HistSide, HistSide, HistSide}, hi{-1, -1, -1};
    quint64 count = 0;
    for (int i = begin; i < end; ++i) {
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min<int>(lo[c], cells[i].pos[c]);
            hi[c] = std::max<int>(hi[c], cells[i].pos[c]);
        }
        count += cells[i].count;
    }
    TBox box{begin, end, count, 0, hi[0] - lo[0]};
    for (int c = 1; c < 3; ++c)
        if (hi[c] - lo[c] > box.range)
            box = {begin, end, count, c, hi[c] - lo[c]};
    return box;
}

QList<QRgb> MedianCut(const QImage& image, int maxColours) {
    std::vector<TCell> grid(HistSize);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = row[x];
            if (!IsOpaque(p))
                continue;
            TCell& cell = grid[HistIndex(qRed(p), qGreen(p), qBlue(p))];
            ++cell.count;
            cell.sum[0] += qRed(p);
            cell.sum[1] += qGreen(p);
            cell.sum[2] += qBlue(p);
        }
    }
    std::vector<TCell> cells;
    for (int i = 0; i < HistSize; ++i) {
        if (grid[i].count == 0)
            continue;
        grid[i].pos = {uchar(i >> (2 * HistBits)), uchar((i >> HistBits) & (HistSide - 1)),
                       uchar(i & (HistSide - 1))};
        cells.push_back(grid[i]);
    }

    std::vector<TBox> boxes{MakeBox(cells, 0, int(cells.size()))};
    while (int(boxes.size()) < maxColours) {
        // Split the box that covers the most pixels over the longest distance.
        auto best = boxes.end();
        double bestScore = 0;
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            const double score = double(it->count) * it->range;
            if (it->end - it->begin > 1 && score > bestScore) {
                bestScore = score;
                best = it;
            }
        }
        if (best == boxes.end())
            break;
        const TBox box = *best;
        std::sort(cells.begin() + box.begin, cells.begin() + box.end,
                  [axis = box.axis](const TCell& a, const TCell& b) {
                      return a.pos[axis] < b.pos[axis];
                  });
        // Cut at the median pixel, keeping at least one cell on each side.
        quint64 seen = 0;
        int cut = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            seen += cells[i].count;
            cut = i + 1;
            if (seen * 2 >= box.count)
                break;
        }
        *best = MakeBox(cells, box.begin, cut);
        boxes.push_back(MakeBox(cells, cut, box.end));
    }

    QList<QRgb> palette;
    for (const TBox& box : boxes) {
        quint64 sum[3] = {0, 0, 0};
        for (int i = box.begin; i < box.end; ++i)
            for (int c = 0; c < 3; ++c)
                sum[c] += cells[i].sum[c];
        const auto mean = [&](int c) { return int((sum[c] + box.count / 2) / box.count); };
        palette.append(qRgb(mean(0), mean(1), mean(2)));
    }
    return palette;
}

// Nearest palette entry for a colour, remembered per histogram cell (looked up for the
// cell's centre, which is at most two levels per channel off the exact colour).
class TNearestColour {
public:
    explicit TNearestColour(const QList<QRgb>& palette) : palette_(palette), cache_(HistSize, -1) {}

    int operator()(int r, int g, int b) {
        const int cell = HistIndex(r, g, b);
        if (cache_[cell] < 0)
            cache_[cell] = Search(r | 2, g | 2, b | 2);
        return cache_[cell];
    }

private:
    int Search(int r, int g, int b) const {
        int best = 0, bestDistance = INT_MAX;
        for (int i = 0; i < palette_.size(); ++i) {
            const int dr = qRed(palette_[i]) - r, dg = qGreen(palette_[i]) - g,
                      db = qBlue(palette_[i]) - b;
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        return best;
    }

    const QList<QRgb>& palette_;
    std::vector<short> cache_;
};

void MapPixels(const QImage& image, const QList<QRgb>& palette, int transparentIndex, bool dither,
               QByteArray& indices) {
    TNearestColour nearest(palette);
    const int width = image.width();
    // Diffused error per channel in sixteenths, for this row and the next, with a guard
    // column on each side.
    std::vector<int> current(size_t(width + 2) * 3, 0), next(current.size(), 0);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* out = reinterpret_cast<uchar*>(indices.data()) + qsizetype(y) * width;
        // Serpentine order keeps the error from drifting to one side.
        const bool leftToRight = y % 2 == 0;
        const int step = leftToRight ? 1 : -1;
        std::fill(next.begin(), next.end(), 0);
        for (int i = 0; i < width; ++i) {
            const int x = leftToRight ? i : width - 1 - i;
            if (!IsOpaque(row[x])) {
                out[x] = uchar(transparentIndex);
                continue;
            }
            int want[3] = {qRed(row[x]), qGreen(row[x]), qBlue(row[x])};
            if (dither)
                for (int c = 0; c < 3; ++c)
                    want[c] = std::clamp(want[c] + current[(x + 1) * 3 + c] / 16, 0, 255);
            const int index = nearest(want[0], want[1], want[2]);
            out[x] = uchar(index);
            if (!dither)
                continue;
            const QRgb got = palette[index];
            const int error[3] = {want[0] - qRed(got), want[1] - qGreen(got), want[2] - qBlue(got)};
            for (int c = 0; c < 3; ++c) {
                current[(x + 1 + step) * 3 + c] += error[c] * 7;
                next[(x + 1 - step) * 3 + c] += error[c] * 3;
                next[(x + 1) * 3 + c] += error[c] * 5;
                next[(x + 1 + step) * 3 + c] += error[c];
            }
        }
        std::swap(current, next);
    }
}

} // namespace

TQuantizedImage QuantizeImage(const QImage& source, bool dither) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    TQuantizedImage result;
    if (image.isNull())
        return result;
    const int width = image.width(), height = image.height();

    bool hasTransparent = false;
    QHash<QRgb, int> exact; // distinct colours while there are few enough
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (!IsOpaque(row[x])) {
                hasTransparent = true;
                continue;
            }
            const QRgb colour = row[x] | 0xFF000000;
            if (exact.size() <= MaxColours && !exact.contains(colour))
                exact.insert(colour, int(exact.size()));
        }
    }
    const int room = MaxColours - (hasTransparent ? 1 : 0);
    result.indices = QByteArray(qsizetype(width) * height, Qt::Uninitialized);

    if (exact.size() <= room) {
        result.palette.resize(exact.size());
        for (auto it = exact.cbegin(); it != exact.cend(); ++it)
            result.palette[it.value()] = it.key();
        if (hasTransparent) {
            result.transparentIndex = int(result.palette.size());
            result.palette.append(qRgb(0, 0, 0));
        }
        auto* out = reinterpret_cast<uchar*>(result.indices.data());
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < width; ++x)
                *out++ = uchar(IsOpaque(row[x]) ? exact.value(row[x] | 0xFF000000)
                                                : result.transparentIndex);
        }
        return result;
    }

    result.palette = MedianCut(image, room);
    if (hasTransparent) {
        result.transparentIndex = int(result.palette.size());
        result.palette.append(qRgb(0, 0, 0));
    }
    // The transparent entry must never be picked for an opaque pixel.
    const QList<QRgb> opaquePalette =
        result.palette.mid(0, result.palette.size() - (hasTransparent ? 1 : 0));
    MapPixels(image, opaquePalette, result.transparentIndex, dither, result.indices);
    return result;
}
