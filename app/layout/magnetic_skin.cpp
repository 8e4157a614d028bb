#include "app/layout/magnetic_skin.h"

#include <QPainter>

namespace brondavel::app {

namespace {

QPixmap Piece(const char* name) {
    return QPixmap(QStringLiteral(":/skin/%1.png").arg(QLatin1String(name)));
}

QCursor Cursor(const char* name, int hotX, int hotY, Qt::CursorShape fallback) {
    const QPixmap picture(QStringLiteral(":/cursors/%1.png").arg(QLatin1String(name)));
    return picture.isNull() ? QCursor(fallback) : QCursor(picture, hotX, hotY);
}

void DrawStretched(QPainter& painter, const QPixmap& piece, const QRect& target) {
    if (!piece.isNull() && target.width() > 0 && target.height() > 0)
        painter.drawPixmap(target, piece);
}

}  // namespace

bool MagneticSkin::IsEmpty() const {
    for (const QPixmap& piece : pieces) {
        if (!piece.isNull()) return false;
    }
    return true;
}

QRect MagneticSkin::InnerArea(QSize size) const {
    const int left = pieces[kSkinLeft].width();
    const int top = pieces[kSkinTop].height();
    const int right = pieces[kSkinRight].width();
    const int bottom = pieces[kSkinBottom].height();
    return QRect(left, top, size.width() - left - right, size.height() - top - bottom);
}

QRect MagneticSkin::GripArea(QSize size) const {
    const QPixmap& grip = pieces[kSkinGrip];
    if (grip.isNull()) return {};
    return QRect(size.width() - grip.width(), size.height() - grip.height(), grip.width(),
                 grip.height());
}

MagneticSkin ListWindowSkin() {
    MagneticSkin skin;
    static const char* const kNames[kSkinPieceCount] = {
        "background", "top_left",     "top",  "top_right", "bottom_left",
        "bottom",     "bottom_right", "left", "right",     "grip"};
    for (int i = 0; i < kSkinPieceCount; ++i) skin.pieces[i] = Piece(kNames[i]);
    skin.background = BackgroundMode::kStretched;
    return skin;
}

MagneticCursors SkinCursors() {
    return {Cursor("normal", 1, 1, Qt::ArrowCursor), Cursor("grip", 16, 16, Qt::SizeFDiagCursor),
            Cursor("resizing", 16, 16, Qt::SizeFDiagCursor)};
}

void PaintMagneticSkin(QPainter& painter, const MagneticSkin& skin, QSize size) {
    const auto& p = skin.pieces;
    const int w = size.width(), h = size.height();

    const QPixmap& background = p[kSkinBackground];
    const QRect inner = skin.InnerArea(size);
    if (!background.isNull() && inner.isValid()) {
        painter.save();
        painter.setClipRect(inner);
        switch (skin.background) {
            case BackgroundMode::kOnce:
                painter.drawPixmap(inner.topLeft(), background);
                break;
            case BackgroundMode::kTiled:
                painter.drawTiledPixmap(inner, background);
                break;
            case BackgroundMode::kCentred: {
                QRect centred(QPoint(), background.size());
                centred.moveCenter(inner.center());
                painter.drawPixmap(centred.topLeft(), background);
                break;
            }
            case BackgroundMode::kStretched:
                painter.drawPixmap(inner, background);
                break;
        }
        painter.restore();
    }

    const QPixmap& tl = p[kSkinTopLeft];
    const QPixmap& tr = p[kSkinTopRight];
    const QPixmap& bl = p[kSkinBottomLeft];
    const QPixmap& br = p[kSkinBottomRight];
    DrawStretched(painter, p[kSkinTop],
                  QRect(tl.width(), 0, w - tl.width() - tr.width(), p[kSkinTop].height()));
    DrawStretched(painter, p[kSkinBottom],
                  QRect(bl.width(), h - p[kSkinBottom].height(), w - bl.width() - br.width(),
                        p[kSkinBottom].height()));
    DrawStretched(painter, p[kSkinLeft],
                  QRect(0, tl.height(), p[kSkinLeft].width(), h - tl.height() - bl.height()));
    DrawStretched(painter, p[kSkinRight],
                  QRect(w - p[kSkinRight].width(), tr.height(), p[kSkinRight].width(),
                        h - tr.height() - br.height()));
    if (!tl.isNull()) painter.drawPixmap(0, 0, tl);
    if (!tr.isNull()) painter.drawPixmap(w - tr.width(), 0, tr);
    if (!bl.isNull()) painter.drawPixmap(0, h - bl.height(), bl);
    if (!br.isNull()) painter.drawPixmap(w - br.width(), h - br.height(), br);
    if (!p[kSkinGrip].isNull()) painter.drawPixmap(skin.GripArea(size).topLeft(), p[kSkinGrip]);
}

}  // namespace brondavel::app
