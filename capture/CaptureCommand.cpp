#include "capture/CaptureCommand.h"

#include "capture/modCapture.h"
#include "common/Clock.h"
#include "common/Desktop.h"
#include "common/FilesFolder.h"
#include "common/Prompter.h"
#include "common/Routines.h"
#include "common/Services.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>

namespace tombolix {

void captureWindow(QWidget &window, QLabel &captureBox, const Services &services) {
    const QString baseName = pathToWrite(services, captureBaseName(services.clock.now()));
    // Let the menu close and the window repaint before its picture is taken.
    Delay(500);
    // One pass is enough here: the picture reaches the clipboard before it is read back.
    SendPrintScreen(window, services.desktop);
    QImage picture = services.desktop.clipboardImage();
    if (picture.isNull())
        picture = grabWindowPicture(window);
    captureBox.setPixmap(QPixmap::fromImage(picture));
    const QString path = baseName + QStringLiteral(".jpg");
    WriteJpegFile(captureCanvas(picture), path, 200);
    services.prompter.information(QDir::toNativeSeparators(path) +
                                  QStringLiteral(" 로 현재 프로그램의 화면이 저장되었습니다!"));
}

} // namespace tombolix
