#pragma once

#include <QByteArray>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QRect>
#include <QWidget>

class QGroupBox;

namespace tombolix {

// The fonts of the layouts, "돋움" and "굴림", with Korean fonts that Debian ships behind them.
QFont dotumFont(qreal pointSize, bool bold = false);
QFont gulimFont(qreal pointSize, bool bold = false);

// Layout positions are given in twips; 15 twips are one pixel at 96 dots per inch.
void placeTwips(QWidget *widget, int left, int top, int width, int height);

// A control of a layout table, made in its container with its caption (where it has one),
// named and placed.
template <typename Control, typename... Caption>
Control *addControl(QWidget *container, const char *name, int left, int top, int width, int height,
                    const Caption &...caption) {
    auto *control = new Control(caption..., container);
    control->setObjectName(QString::fromLatin1(name));
    placeTwips(control, left, top, width, height);
    return control;
}

// The icon of both windows at every size, and its picture at one of them (16, 24, 32, 48, 64,
// 128 or 256 pixels).
QIcon tombolixIcon();
QImage tombolixIconImage(int size);

// The pictures as a Windows icon file (app/tombolix.ico, the program file's icon): a 16 x 16
// picture in the three depths it comes in (16 colours, 256 colours, 32-bit with alpha), larger
// ones in 32 bits.
QByteArray windowsIconFile(const QList<QImage> &pictures);

// Every label of `window` that is shorter than a line of its font grows to that line's height,
// as much above as below, keeping its place: the layouts' heights were made for the fonts the
// program first had, and the Korean fonts that stand in for 돋움 and 굴림 reach further above and
// below, so a parenthesis or a descender would be cut. Labels draw no background of their own,
// so the taller box shows nothing more than its whole text.
void makeRoomForText(QWidget *window);

// A top-level window as both of ours are: a caption, the icon, a fixed single border with
// the system menu and the close button only.
void makeFixedWindow(QWidget *window, const QString &caption);

// A text box without a length limit worth the name (QLineEdit's default stops at 32,767).
inline constexpr int unlimitedText = 1 << 24;

// A white window background, as the layouts ask.
void paintWhite(QWidget *widget);

// Labels and option buttons that list colours: the system window colour behind the system
// window-text colour (the window colour is the one behind text boxes' text: white).
void useSystemWindowColours(QWidget *widget);

// A frame drawn as the layouts mean it: its title sits on its top line, so the controls placed
// below the title stay clear of both.
void styleFrame(QGroupBox *frame);

} // namespace tombolix
