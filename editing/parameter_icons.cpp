#include "editing/parameter_icons.h"

#include "catalogue/catalogue_words.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include <array>

namespace {

// A rounded tag in the type's colour with a short mark.
struct type_look {
    int type;
    const char* mark;
    QRgb colour;
};
constexpr type_look looks[] = {
    {param_bits, "b", qRgb(180, 60, 60)},    {param_int, "i", qRgb(40, 100, 180)},
    {param_float, "f", qRgb(40, 140, 70)},   {param_string, "s", qRgb(150, 90, 30)},
    {param_other, "?", qRgb(120, 120, 120)}, {param_array, "[]", qRgb(110, 60, 150)},
    {param_long, "L", qRgb(20, 110, 120)},
};

QIcon draw(const type_look& look) {
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(look.colour));
        const qreal inset = size / 16.0;
        painter.drawRoundedRect(QRectF(inset, inset, size - 2 * inset, size - 2 * inset),
                                size / 5.0, size / 5.0);
        QFont font = QApplication::font();
        font.setBold(true);
        font.setPixelSize(size * 5 / 8);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::fromLatin1(look.mark));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon device_icon(bool expanded) {
    return QApplication::style()->standardIcon(expanded ? QStyle::SP_DirOpenIcon
                                                        : QStyle::SP_DirClosedIcon);
}

QIcon parameter_icon(int param_type) {
    // Drawn once and kept until the process ends (never destroyed after the application).
    static auto* icons = new std::array<QIcon, std::size(looks)>();
    std::size_t which = 4; // "other"
    for (std::size_t i = 0; i < std::size(looks); ++i)
        if (looks[i].type == param_type)
            which = i;
    QIcon& icon = (*icons)[which];
    if (icon.isNull())
        icon = draw(looks[which]);
    return icon;
}
