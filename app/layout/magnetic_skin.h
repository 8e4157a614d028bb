// The pictures a magnetic window is drawn from: ten frame pieces with a
// background mode, and the three cursors. The list windows' set is ours, in
// resources/skin and resources/cursors.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <QSize>
#include <array>

class QPainter;

namespace brondavel::app {

enum SkinPiece {
    kSkinBackground,  // the inner area, by the background mode
    kSkinTopLeft,     // the corners are drawn as they are,
    kSkinTop,         // the edges stretched between them
    kSkinTopRight,
    kSkinBottomLeft,
    kSkinBottom,
    kSkinBottomRight,
    kSkinLeft,
    kSkinRight,
    kSkinGrip,  // drawn at the bottom right; its rectangle is the grip area
    kSkinPieceCount,
};

enum class BackgroundMode {
    kOnce = 0,  // once at the origin of the inner area
    kTiled = 1,
    kCentred = 2,
    kStretched = 3,
};

struct MagneticSkin {
    std::array<QPixmap, kSkinPieceCount> pieces;  // a null piece is not drawn
    BackgroundMode background = BackgroundMode::kOnce;

    bool IsEmpty() const;
    // The part inside the frame edges of a window of `size`.
    QRect InnerArea(QSize size) const;
    // The grip piece's rectangle at the bottom right; empty without a grip.
    QRect GripArea(QSize size) const;
};

struct MagneticCursors {
    QCursor normal{Qt::ArrowCursor};
    QCursor grip{Qt::SizeFDiagCursor};
    QCursor resizing{Qt::SizeFDiagCursor};
};

// The list windows' frame: stretched background, slate edges and a grip.
MagneticSkin ListWindowSkin();
// Our normal, grip and resizing cursors.
MagneticCursors SkinCursors();

// Draws `skin` over a window of `size`.
void PaintMagneticSkin(QPainter& painter, const MagneticSkin& skin, QSize size);

}  // namespace brondavel::app
