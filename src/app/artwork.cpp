#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace quorvel {
namespace {

const QColor kInk(40, 44, 52);
const QColor kAccent(0, 128, 255);

QPixmap Canvas(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void Wave(QPainter& p, const QRectF& r, double cycles, const QColor& colour, double width) {
    QPainterPath path;
    for (int i = 0; i <= 64; ++i) {
        const double x = r.left() + r.width() * i / 64.0;
        const double y = r.center().y() - r.height() / 2 * std::sin(i / 64.0 * cycles * 2 * M_PI);
        if (i == 0) {
            path.moveTo(x, y);
        } else {
            path.lineTo(x, y);
        }
    }
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

}  // namespace

QFont ProgramFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    return font;
}

QIcon AppIcon() {
    QPixmap pixmap = Canvas(64);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    Wave(p, QRectF(10, 18, 44, 28), 1.5, QColor(255, 128, 0), 5);
    return QIcon(pixmap);
}

QIcon ButtonGlyph(const QString& name) {
    QPixmap pixmap = Canvas(24);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QFont font;
    font.setBold(true);
    font.setPixelSize(16);
    p.setFont(font);
    if (name == "help") {
        p.drawEllipse(QRectF(2, 2, 20, 20));
        p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
    } else if (name == "display") {
        p.drawRoundedRect(QRectF(2, 5, 20, 14), 2, 2);
        font.setPixelSize(9);
        p.setFont(font);
        p.drawText(QRectF(2, 5, 20, 14), Qt::AlignCenter, QStringLiteral("12,3"));
    } else if (name == "chart") {
        p.drawLine(3, 3, 3, 21);
        p.drawLine(3, 21, 21, 21);
        Wave(p, QRectF(5, 6, 16, 10), 1.2, QColor(255, 0, 0), 2);
    } else if (name == "options") {
        for (int y : {6, 12, 18}) p.drawLine(4, y, 20, y);
        p.setBrush(kAccent);
        p.drawEllipse(QPointF(9, 6), 2.5, 2.5);
        p.drawEllipse(QPointF(16, 12), 2.5, 2.5);
        p.drawEllipse(QPointF(7, 18), 2.5, 2.5);
    } else if (name == "module") {
        p.drawRect(QRectF(5, 5, 14, 14));
        for (int x : {8, 12, 16}) {
            p.drawLine(x, 2, x, 5);
            p.drawLine(x, 19, x, 22);
        }
    } else if (name == "save") {
        p.drawRect(QRectF(3, 3, 18, 18));
        p.drawRect(QRectF(7, 3, 10, 6));
        p.drawRect(QRectF(7, 13, 10, 8));
    } else if (name == "connection") {
        p.drawLine(2, 12, 8, 12);
        p.drawLine(16, 12, 22, 12);
        p.drawRoundedRect(QRectF(8, 7, 8, 10), 2, 2);
        p.drawLine(10, 7, 10, 4);
        p.drawLine(14, 7, 14, 4);
    } else if (name == "view") {
        p.drawEllipse(QRectF(2, 7, 20, 10));
        p.setBrush(kAccent);
        p.drawEllipse(QPointF(12, 12), 3, 3);
    } else if (name == "more") {
        p.setBrush(kInk);
        for (int x : {5, 12, 19}) p.drawEllipse(QPointF(x, 12), 2, 2);
    } else if (name == "refresh") {
        p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 300 * 16);
        p.drawLine(19, 4, 19, 9);
        p.drawLine(19, 9, 14, 9);
    }
    return QIcon(pixmap);
}

QPixmap BannerImage(int width, int height) {
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(30, 23, 23));
    gradient.setColorAt(1, QColor(60, 64, 76));
    p.fillRect(pixmap.rect(), gradient);
    // Both images keep their right part free for the advertising lines of the wide one.
    Wave(p, QRectF(190, 16, 180, 48), 2.0, QColor(255, 0, 0, 200), 3);
    Wave(p, QRectF(190, 24, 180, 32), 3.0, QColor(0, 128, 255, 200), 3);
    QFont font;
    font.setBold(true);
    font.setPixelSize(26);
    p.setFont(font);
    p.setPen(QColor(240, 240, 240));
    p.drawText(QRect(18, 10, 170, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quorvel"));
    font.setBold(false);
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(QColor(255, 128, 0));
    p.drawText(QRect(18, 44, 170, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Analog PC"));
    return pixmap;
}

}  // namespace quorvel
