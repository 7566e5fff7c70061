#pragma once

class QLabel;
class QWidget;

namespace tombolix {

struct Services;

// "프로그램 화면 캡쳐": saves a picture of the window as a JPEG file in the program's folder,
// named after the moment of the click. The picture stays in the capture box and on the
// clipboard afterwards.
void captureWindow(QWidget &window, QLabel &captureBox, const Services &services);

} // namespace tombolix
