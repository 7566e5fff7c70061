#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

class QIODevice;
class QWidget;

namespace tombolix {

class Desktop;

// The saved picture is the capture canvas: 5,145 x 9,135 twips, white, the window's picture at
// its top-left corner.
inline constexpr int captureCanvasWidth = 5145 / 15;
inline constexpr int captureCanvasHeight = 9135 / 15;

// The window with its frame as the user sees it, read from its screen where the platform can;
// where the screen gives no picture (offscreen, some Wayland sessions) the window is rendered.
QImage grabWindowPicture(QWidget &window);

// Takes the picture of the window and puts it on the clipboard, as Alt + Print Screen does.
void SendPrintScreen(QWidget &window, Desktop &desktop);

// Encodes the picture as JPEG onto the device at the quality, which is held to the writer's 0 to
// 100. 0 when all of it was written, else the number the error box gives.
int encodeJpeg(const QImage &picture, QIODevice &device, int quality);

// Writes the picture as a JPEG file. Throws TombolixError 5 when the file was not written
// whole, whatever failed: the writer, the disk, or the file missing afterwards.
void WriteJpegFile(const QImage &picture, const QString &path, int quality);

// The time as yyyy_MM_dd_HH.mm.ss + "_Tombolix_Capture"
QString captureBaseName(const QDateTime &time);

QImage captureCanvas(const QImage &picture);

} // namespace tombolix
