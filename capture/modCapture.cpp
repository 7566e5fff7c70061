#include "capture/modCapture.h"

#include "common/Desktop.h"
#include "core/TombolixError.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>
#include <QWidget>

namespace tombolix {

namespace {

// The numbers the error box gives for a failed write: QImageWriter's own where it has one.
constexpr int genericFailure = 1;
constexpr int deviceFailure = int(QImageWriter::DeviceError);

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

int encodeJpeg(const QImage &picture, QIODevice &device, int quality) {
    QImageWriter writer(&device, "jpeg");
    writer.setQuality(qBound(0, quality, 100));
    if (writer.write(picture))
        return 0;
    // A device that fails in the middle (a full disk) leaves the writer's error unknown: 0.
    return writer.error() != QImageWriter::UnknownError ? int(writer.error()) : genericFailure;
}

void WriteJpegFile(const QImage &picture, const QString &path, int quality) {
    // Through a temporary file, so that a failed write never leaves half a picture behind.
    QSaveFile file(path);
    int status = file.open(QIODevice::WriteOnly) ? encodeJpeg(picture, file, quality) : deviceFailure;
    if (status == 0 && !file.commit())
        status = deviceFailure;
    if (status == 0 && QFileInfo(path).size() <= 0)
        status = deviceFailure; // written, yet not there: never report success
    if (status != 0) {
        file.cancelWriting();
        throw TombolixError(5,
                            QStringLiteral("Cannot save the image. GDI+ Error:") + QString::number(status));
    }
}

QString captureBaseName(const QDateTime &time) {
    return time.toString(QStringLiteral("yyyy_MM_dd_HH.mm.ss")) + QStringLiteral("_Tombolix_Capture");
}

QImage captureCanvas(const QImage &picture) {
    QImage canvas(captureCanvasWidth, captureCanvasHeight, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, picture);
    return canvas;
}

} // namespace tombolix
