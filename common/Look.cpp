#include "common/Look.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <climits>

namespace tombolix {

namespace {

QFont koreanFont(const QString &first, qreal pointSize, bool bold) {
    QFont font;
    font.setFamilies({first, QStringLiteral("Dotum"), QStringLiteral("Gulim"), QStringLiteral("NanumGothic"),
                      QStringLiteral("UnDotum"), QStringLiteral("Noto Sans CJK KR")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont dotumFont(qreal pointSize, bool bold) {
    return koreanFont(QStringLiteral("돋움"), pointSize, bold);
}

QFont gulimFont(qreal pointSize, bool bold) {
    return koreanFont(QStringLiteral("굴림"), pointSize, bold);
}

void placeTwips(QWidget *widget, int left, int top, int width, int height) {
    widget->setGeometry(left / 15, top / 15, width / 15, height / 15);
}

// The icon at every size the desktop asks for, rendered from its one drawing
// (packaging/icons/kr.tombolix.Tombolix.svg, see scripts/make-icons.sh).
const QList<int> &iconSizes() {
    static const QList<int> sizes{16, 24, 32, 48, 64, 128, 256};
    return sizes;
}

QImage tombolixIconImage(int size) {
    return QImage(QStringLiteral(":/icons/") + QString::number(size) + QStringLiteral(".png"))
        .convertToFormat(QImage::Format_ARGB32);
}

QIcon tombolixIcon() {
    QIcon icon;
    for (const int size : iconSizes())
        icon.addFile(QStringLiteral(":/icons/") + QString::number(size) + QStringLiteral(".png"),
                     QSize(size, size));
    return icon;
}

namespace {

// The 16 colours of Windows' standard palette, and for 256 colours a 6 x 6 x 6 cube and 40 greys.
QList<QRgb> iconPalette(int colours) {
    QList<QRgb> palette;
    if (colours == 16) {
        for (const QRgb rgb :
             {0x000000u, 0x800000u, 0x008000u, 0x808000u, 0x000080u, 0x800080u, 0x008080u, 0xC0C0C0u,
              0x808080u, 0xFF0000u, 0x00FF00u, 0xFFFF00u, 0x0000FFu, 0xFF00FFu, 0x00FFFFu, 0xFFFFFFu})
            palette.append(rgb);
        return palette;
    }
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.append(qRgb(r * 51, g * 51, b * 51));
    for (int i = 0; i < 40; ++i)
        palette.append(qRgb(i * 255 / 39, i * 255 / 39, i * 255 / 39));
    return palette;
}

int nearest(const QList<QRgb> &palette, QRgb colour) {
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(colour);
        const int dg = qGreen(palette[i]) - qGreen(colour);
        const int db = qBlue(palette[i]) - qBlue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void appendLittleEndian(QByteArray &out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}

// One image of the icon file: a bitmap header of twice the height, the palette, the colour
// rows bottom up, then the transparency mask.
QByteArray iconImage(const QImage &picture, int bitCount) {
    const int size = picture.width();
    const QList<QRgb> palette = bitCount <= 8 ? iconPalette(1 << bitCount) : QList<QRgb>();
    const int rowBytes = ((size * bitCount + 31) / 32) * 4;
    const int maskRowBytes = ((size + 31) / 32) * 4;
    QByteArray out;
    appendLittleEndian(out, 40, 4);
    appendLittleEndian(out, quint32(size), 4);
    appendLittleEndian(out, quint32(size * 2), 4);
    appendLittleEndian(out, 1, 2);
    appendLittleEndian(out, quint32(bitCount), 2);
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, quint32((rowBytes + maskRowBytes) * size), 4);
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, quint32(palette.size()), 4);
    appendLittleEndian(out, 0, 4);
    for (const QRgb colour : palette) {
        out += char(qBlue(colour));
        out += char(qGreen(colour));
        out += char(qRed(colour));
        out += char(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = picture.pixel(x, y);
            if (bitCount == 32) {
                row[x * 4] = char(qBlue(pixel));
                row[x * 4 + 1] = char(qGreen(pixel));
                row[x * 4 + 2] = char(qRed(pixel));
                row[x * 4 + 3] = char(qAlpha(pixel));
            } else {
                const int index = qAlpha(pixel) < 128 ? 0 : nearest(palette, pixel);
                if (bitCount == 8)
                    row[x] = char(index);
                else
                    row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
            }
        }
        out += row;
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskRowBytes, '\0');
        for (int x = 0; x < size; ++x) {
            if (qAlpha(picture.pixel(x, y)) < 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out += row;
    }
    return out;
}

} // namespace

QByteArray windowsIconFile(const QList<QImage> &pictures) {
    struct Entry {
        int size;
        int depth;
    };
    QList<Entry> entries;
    QList<QByteArray> images;
    for (const QImage &picture : pictures) {
        // QImage::pixel() gives unpremultiplied colours in this format
        const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
        for (const int depth : image.width() == 16 ? QList<int>{4, 8, 32} : QList<int>{32}) {
            entries.append({image.width(), depth});
            images.append(iconImage(image, depth));
        }
    }
    QByteArray file;
    appendLittleEndian(file, 0, 2);
    appendLittleEndian(file, 1, 2); // an icon
    appendLittleEndian(file, quint32(images.size()), 2);
    quint32 offset = quint32(6 + 16 * images.size());
    for (int i = 0; i < images.size(); ++i) {
        file += char(entries[i].size);
        file += char(entries[i].size);
        file += char(entries[i].depth == 4 ? 16 : 0); // colours in the palette; 0 for 256 or more
        file += char(0);
        appendLittleEndian(file, 1, 2);
        appendLittleEndian(file, quint32(entries[i].depth), 2);
        appendLittleEndian(file, quint32(images[i].size()), 4);
        appendLittleEndian(file, offset, 4);
        offset += quint32(images[i].size());
    }
    for (const QByteArray &data : images)
        file += data;
    return file;
}

void makeRoomForText(QWidget *window) {
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->wordWrap() || label->layout())
            continue;
        const int line = QFontMetrics(label->font()).height() + 2 * label->margin() + 2 * label->frameWidth();
        const int grow = line - label->height();
        if (grow > 0)
            label->setGeometry(label->x(), label->y() - grow / 2, label->width(), line);
    }
}

void makeFixedWindow(QWidget *window, const QString &caption) {
    window->setWindowTitle(caption);
    window->setWindowIcon(tombolixIcon());
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
}

void useSystemWindowColours(QWidget *widget) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, palette.color(QPalette::Active, QPalette::Base));
        palette.setColor(group, QPalette::WindowText, palette.color(group, QPalette::Text));
    }
    widget->setPalette(palette);
    // buttons fill with their button colour unless told otherwise
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

void styleFrame(QGroupBox *frame) {
    const int half = QFontMetrics(frame->font()).height() / 2;
    frame->setStyleSheet(QStringLiteral("QGroupBox { margin-top: ") + QString::number(half) +
                         QStringLiteral("px; border: 1px solid palette(mid); border-radius: 2px; }"
                                        "QGroupBox::title { subcontrol-origin: margin; left: 6px; top: 0px; "
                                        "padding: 0px 2px; }"));
}

void paintWhite(QWidget *widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace tombolix
