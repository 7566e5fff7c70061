#include "capture/modCapture.h"

#include "common/Desktop.h"
#include "core/TombolixError.h"

#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>
#include <QWidget>

namespace tombolix {

namespace {

bool isBlank(const QImage &image) {
    if (image.isNull())
        return true;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            if (image.pixel(x, y) != first)
                return false;
        }
    }
    return true;
}

} // namespace

QImage grabWindowPicture(QWidget &window) {
    if (QScreen *screen = window.screen()) {
        const QRect frame = window.frameGeometry().translated(-screen->geometry().topLeft());
        const QImage shot =
            screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).toImage();
        if (!isBlank(shot))
            return shot;
    }
    return window.grab().toImage();
}

void SendPrintScreen(QWidget &window, Desktop &desktop) {
    desktop.setClipboardImage(grabWindowPicture(window));
}

void WriteJpegFile(const QImage &picture, const QString &path, int quality) {
    // Through a temporary file, so that a failed write never leaves half a picture behind.
    QSaveFile file(path);
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(qBound(0, quality, 100));
    int status = 0;
    if (!file.open(QIODevice::WriteOnly))
        status = int(QImageWriter::DeviceError);
    else if (!writer.write(picture))
        status = int(writer.error());
    else if (!file.commit())
        status = int(QImageWriter::DeviceError);
    if (status != 0) {
        file.cancelWriting();
        throw TombolixError(5,
                            QStringLiteral("Cannot save the image. GDI+ Error:") + QString::number(status));
    }
}

QString captureBaseName(const QString &programFolder, const QDateTime &time) {
    return programFolder + QDir::separator() + time.toString(QStringLiteral("yyyy_MM_dd_HH.mm.ss")) +
           QStringLiteral("_Tombolix_Capture");
}

QImage captureCanvas(const QImage &picture) {
    QImage canvas(captureCanvasWidth, captureCanvasHeight, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, picture);
    return canvas;
}

} // namespace tombolix
