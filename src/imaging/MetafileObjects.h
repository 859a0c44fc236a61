// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <optional>
#include <variant>

// The drawing objects that metafile records create, select and delete, as plain values.
// Both players fill them from their own record layouts; the canvas turns them into Qt pens,
// brushes and fonts when it draws.

// COLORREF 0x00BBGGRR.
inline QColor ColorFromRef(quint32 ref) {
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

namespace Gdi {
// Pen styles (low 4 bits), end caps and joins (geometric pens only), pen type.
constexpr quint32 PsSolid = 0, PsDash = 1, PsDot = 2, PsDashDot = 3, PsDashDotDot = 4, PsNull = 5;
constexpr quint32 PsStyleMask = 0x0F;
constexpr quint32 PsEndCapSquare = 0x100, PsEndCapFlat = 0x200, PsEndCapMask = 0xF00;
constexpr quint32 PsJoinBevel = 0x1000, PsJoinMiter = 0x2000, PsJoinMask = 0xF000;
constexpr quint32 PsGeometric = 0x10000;
// Brush styles and hatches.
constexpr quint32 BsSolid = 0, BsNull = 1, BsHatched = 2, BsPattern = 3, BsDibPattern = 5,
                  BsDibPatternPt = 6;
// Background modes, fill modes, arc direction, text alignment and text output options.
constexpr int Transparent = 1, Opaque = 2;
constexpr int Alternate = 1, Winding = 2;
constexpr quint32 TaUpdateCp = 1, TaRight = 2, TaCenter = 6, TaHorizontalMask = 6;
constexpr quint32 TaBottom = 8, TaBaseline = 24, TaVerticalMask = 24;
constexpr quint32 EtoOpaque = 0x2, EtoClipped = 0x4, EtoNoRect = 0x100, EtoPdy = 0x2000;
// Mapping modes.
constexpr int MmText = 1, MmLoMetric = 2, MmHiMetric = 3, MmLoEnglish = 4, MmHiEnglish = 5,
              MmTwips = 6, MmIsotropic = 7, MmAnisotropic = 8;
// Raster operations the canvas knows.
constexpr quint32 SrcCopy = 0x00CC0020, SrcPaint = 0x00EE0086, SrcAnd = 0x008800C6,
                  SrcInvert = 0x00660046, NotSrcCopy = 0x00330008, PatCopy = 0x00F00021,
                  PatInvert = 0x005A0049, DstInvert = 0x00550009, Blackness = 0x00000042,
                  Whiteness = 0x00FF0062;
} // namespace Gdi

struct TGdiPen {
    quint32 style = Gdi::PsSolid;
    double width = 0; // logical units; 0 is one device pixel
    QColor color = Qt::black;
};

struct TGdiBrush {
    quint32 style = Gdi::BsSolid;
    QColor color = Qt::white;
    quint32 hatch = 0;
    QImage pattern; // BsPattern / BsDibPattern when the bitmap could be decoded
};

struct TGdiFont {
    double height = 0; // logical units; negative: character height, positive: cell height
    double width = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
};

// Palettes, regions and colour spaces: they take a slot in the object table, and selecting
// them changes nothing that the canvas draws.
struct TGdiOther {};

using TGdiObject = std::variant<TGdiOther, TGdiPen, TGdiBrush, TGdiFont>;

// The stock object with the given number (without the 0x80000000 flag of enhanced
// metafiles), or nothing for an unknown number.
inline std::optional<TGdiObject> StockObject(quint32 number) {
    auto solid = [](int grey) { return TGdiBrush{Gdi::BsSolid, QColor(grey, grey, grey), 0, {}}; };
    switch (number) {
    case 0:  // WHITE_BRUSH
    case 18: // DC_BRUSH
        return solid(255);
    case 1:
        return solid(0xC0);
    case 2:
        return solid(0x80);
    case 3:
        return solid(0x40);
    case 4:
        return solid(0);
    case 5:
        return TGdiBrush{Gdi::BsNull, Qt::black, 0, {}};
    case 6:
        return TGdiPen{Gdi::PsSolid, 0, Qt::white};
    case 7:
    case 19: // DC_PEN
        return TGdiPen{};
    case 8:
        return TGdiPen{Gdi::PsNull, 0, Qt::black};
    case 10:
    case 11:
    case 16:
        return TGdiFont{0, 0, 0, 400, false, false, false, QStringLiteral("Monospace")};
    case 12:
    case 13:
    case 14:
    case 17:
        return TGdiFont{};
    default:
        return std::nullopt;
    }
}
