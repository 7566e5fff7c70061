// Both windows and the dialogs at the scales of today's screens: 100 % and 200 %, and the 125 %,
// 150 % and 175 % of most Windows laptops, where a control's edge can fall between two of the
// screen's pixels. Every frame is drawn on all four sides and every text fits its control.
//
// Qt takes the scale factor once, when the application starts: each factor is looked at by a
// run of this program of its own (`--at FACTOR`), whose windows are grabbed as the screen shows
// them, pixel for pixel.
#include "app/frmMain.h"
#include "comments/FittingLabel.h"
#include "comments/WrappingButton.h"
#include "common/Look.h"
#include "common/ProgramEnd.h"
#include "common/QtPrompter.h"
#include "common/TombolixStyle.h"
#include "publicdraw/Countdown.h"
#include "resultbox/ResultBox.h"
#include "tests/support/Controls.h"
#include "tests/support/Fakes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <optional>

using namespace tombolix;
using namespace tombolix::test;

namespace {

// A frame's line is clearly darker than the white or light grey on either side of it: Fusion
// draws its frames at 197 of 255 (58 dark), a disabled box's a little lighter.
constexpr int LineDarkness = 24;

int darkness(QRgb pixel) {
    return 255 - qGray(pixel);
}

enum class Side { Top, Bottom, Left, Right };

const char *sideName(Side side) {
    switch (side) {
    case Side::Top:
        return "top";
    case Side::Bottom:
        return "bottom";
    case Side::Left:
        return "left";
    case Side::Right:
        return "right";
    }
    return "";
}

// How dark the frame's line along one side of `area` is, `area` in the window's own units. The
// line is looked for in the screen's pixels that the side's outermost unit covers, and one
// pixel either side of it: for each line of pixels, its lightest pixel along the middle of the
// side (from `from` to `to`, parts of the side's length), and of these the darkest.
int lineDarkness(const QImage &shot, const QRect &area, Side side, qreal from = 0.2, qreal to = 0.8) {
    const qreal f = shot.devicePixelRatio();
    const bool across = side == Side::Top || side == Side::Bottom;
    qreal edge = 0;
    switch (side) {
    case Side::Top:
        edge = area.top();
        break;
    case Side::Bottom:
        edge = area.top() + area.height() - 1;
        break;
    case Side::Left:
        edge = area.left();
        break;
    case Side::Right:
        edge = area.left() + area.width() - 1;
        break;
    }
    const int first = int(std::floor(edge * f)) - 1;
    const int last = int(std::ceil((edge + 1) * f));
    const qreal start = across ? area.left() + from * area.width() : area.top() + from * area.height();
    const qreal end = across ? area.left() + to * area.width() : area.top() + to * area.height();
    int best = 0;
    for (int line = first; line <= last; ++line) {
        int lightest = 255;
        for (int along = int(std::ceil(start * f)); along <= int(std::floor(end * f)); ++along) {
            const QPoint pixel = across ? QPoint(along, line) : QPoint(line, along);
            lightest = std::min(lightest, shot.valid(pixel) ? darkness(shot.pixel(pixel)) : 0);
        }
        best = std::max(best, lightest);
    }
    return best;
}

// A control's rectangle in its window's units.
QRect inWindow(const QWidget *control, const QRect &part) {
    return QRect(control->mapTo(control->window(), part.topLeft()), part.size());
}

// A group box's part as its style lays it out: its frame's line, or its title.
QRect groupBoxPart(const QGroupBox *box, QStyle::SubControl part) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, part, box);
}

// The rectangle a frame's line runs around: the control's own, or a group box's below its title.
QRect frameOf(const QWidget *control) {
    if (const auto *box = qobject_cast<const QGroupBox *>(control))
        return groupBoxPart(box, QStyle::SC_GroupBoxFrame);
    return control->rect();
}

// A control as a message names it: by its name, or by its class within its named parent.
QString describe(const QWidget *control) {
    const QString kind = QString::fromLatin1(control->metaObject()->className());
    if (!control->objectName().isEmpty())
        return control->objectName() + QStringLiteral(" (") + kind + u')';
    const QWidget *parent = control->parentWidget();
    while (parent && parent->objectName().isEmpty())
        parent = parent->parentWidget();
    return (parent ? parent->objectName() : QString()) + QStringLiteral("'s ") + kind;
}

// The framed controls of `window` that the screen shows: boxes, lists, buttons and frames.
QList<QWidget *> framedControls(QWidget *window) {
    QList<QWidget *> framed;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!control->isVisible() || control->window() != window)
            continue;
        const auto *frame = qobject_cast<const QFrame *>(control);
        if ((frame && frame->frameShape() != QFrame::NoFrame && frame->lineWidth() > 0 &&
             !qobject_cast<const QLabel *>(control)) ||
            qobject_cast<QLineEdit *>(control) || qobject_cast<QPushButton *>(control) ||
            qobject_cast<QGroupBox *>(control) || qobject_cast<QScrollBar *>(control))
            framed.append(control);
    }
    return framed;
}

// The sides of a control that carry a line: all four of a frame, and a scroll bar's edge
// toward what it scrolls.
QList<Side> linedSides(const QWidget *control) {
    if (const auto *bar = qobject_cast<const QScrollBar *>(control))
        return {bar->orientation() == Qt::Vertical ? Side::Left : Side::Top};
    return {Side::Top, Side::Bottom, Side::Left, Side::Right};
}

// What is wrong with the frames of `window` as the screen shows it: the sides without a line.
QStringList missingLines(QWidget *window) {
    const QImage shot = window->grab().toImage();
    QStringList missing;
    for (QWidget *control : framedControls(window)) {
        const QRect frame = inWindow(control, frameOf(control));
        for (const Side side : linedSides(control)) {
            // a group box's top line starts after its title
            qreal from = 0.2;
            if (const auto *box = qobject_cast<const QGroupBox *>(control); box && side == Side::Top) {
                const QRect title = groupBoxPart(box, QStyle::SC_GroupBoxLabel);
                from = std::max(from, qreal(title.right() + 12 - frameOf(box).left()) / frame.width());
            }
            const int dark = lineDarkness(shot, frame, side, from);
            if (dark < LineDarkness)
                missing.append(describe(control) + QStringLiteral(": ") +
                               QString::fromLatin1(sideName(side)) + QStringLiteral(" side, darkest ") +
                               QString::number(dark));
        }
    }
    return missing;
}

void checkFrames(QWidget *window) {
    QCOMPARE(window->grab().devicePixelRatio(), window->devicePixelRatioF());
    QVERIFY(!framedControls(window).isEmpty());
    const QStringList missing = missingLines(window);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral("; "))));
}

// A text as a control draws it: in which font, laid out in which room, aligned how, and where
// the control lets its ink be seen (a label's whole box, a button's inside).
struct Caption {
    QString text;
    QFont font;
    QRectF room;
    Qt::Alignment alignment;
    bool wraps = false;
    QRectF bounds = room;
};

std::optional<Caption> captionOf(const QWidget *control) {
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText || !label->pixmap().isNull())
            return std::nullopt;
        const auto *fitting = qobject_cast<const FittingLabel *>(label);
        const int margin = label->margin();
        return Caption{label->text(),
                       fitting ? fitting->fittedFont() : label->font(),
                       QRectF(label->contentsRect().adjusted(margin, margin, -margin, -margin)),
                       label->alignment(),
                       label->wordWrap(),
                       QRectF(label->contentsRect())};
    }
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    if (!button || button->text().isEmpty())
        return std::nullopt;
    QString text = button->text();
    text.remove(u'&'); // a mnemonic's mark is not drawn
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    if (qobject_cast<const QRadioButton *>(button)) {
        const QRect room = button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
        return Caption{text, button->font(), QRectF(room), Qt::AlignLeft | Qt::AlignVCenter};
    }
    QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    if (!button->icon().isNull()) // the icon stands before the caption, both centred together
        room.adjust(button->iconSize().width() + 4, 0, 0, 0);
    // the caption keeps half the style's button margin clear of the bevel on either side, as a
    // button sized by Qt has it
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button) / 2;
    const QRectF clear = QRectF(room).adjusted(margin, 0, -margin, 0);
    if (const auto *wrapping = qobject_cast<const WrappingButton *>(button))
        return Caption{text, button->font(), QRectF(wrapping->captionRect()), Qt::AlignCenter, true, clear};
    return Caption{text, button->font(), QRectF(room), Qt::AlignCenter, false, clear};
}

// Where the ink of a caption falls, its room being where the control lets it be drawn.
QRectF inkOf(const Caption &caption, const QWidget *control) {
    const QFontMetricsF metrics(caption.font, control);
    if (caption.wraps || caption.text.contains(u'\n')) {
        // lines of text: their boxes, as a word-wrapping layout stacks them
        const int flags = int(caption.alignment) | (caption.wraps ? Qt::TextWordWrap : 0);
        return metrics.boundingRect(caption.room, flags, caption.text);
    }
    const QRectF tight = metrics.tightBoundingRect(caption.text);
    const qreal advance = metrics.horizontalAdvance(caption.text);
    qreal x = caption.room.left();
    if (caption.alignment & Qt::AlignHCenter)
        x = caption.room.center().x() - advance / 2;
    else if (caption.alignment & Qt::AlignRight)
        x = caption.room.right() - advance;
    qreal top = caption.room.top();
    if (caption.alignment & Qt::AlignVCenter)
        top = caption.room.center().y() - metrics.height() / 2;
    else if (caption.alignment & Qt::AlignBottom)
        top = caption.room.bottom() - metrics.height();
    return tight.translated(x, top + metrics.ascent());
}

// Every label and button of `window` draws its text whole, clear of its edges.
void checkTexts(QWidget *window) {
    QStringList cut;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!control->isVisible() || control->window() != window)
            continue;
        const std::optional<Caption> caption = captionOf(control);
        if (!caption)
            continue;
        const QRectF ink = inkOf(*caption, control);
        // half a pixel of the screen's, for the rounding of glyphs to its pixels
        const qreal slack = 0.5 / window->devicePixelRatioF();
        if (!caption->bounds.adjusted(-slack, -slack, slack, slack).contains(ink)) {
            const auto text = [](const QRectF &r) -> QString {
                return QString::number(r.left()) + u',' + QString::number(r.top()) + u' ' +
                       QString::number(r.width()) + u'x' + QString::number(r.height());
            };
            cut.append(describe(control) + QStringLiteral(" \"") + caption->text +
                       QStringLiteral("\": ink ") + text(ink) + QStringLiteral(" in ") +
                       text(caption->bounds));
        }
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

// Where a run keeps the pictures of the windows it looks at, for a developer to see them; empty
// for none.
QString picturesFolder;

// Everything this test asks of a window: its frames, its texts.
void look(QWidget *window, const QString &name) {
    if (!picturesFolder.isEmpty()) {
        const QString factor = QString::number(window->devicePixelRatioF());
        window->grab().save(picturesFolder + u'/' + name + u'-' + factor + QStringLiteral(".png"));
    }
    checkFrames(window);
    checkTexts(window);
}

// Looks at the dialog that `open` shows modally, then closes it.
void checkDialog(const std::function<void()> &open, const QString &name) {
    bool looked = false;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog && QTest::qWaitForWindowExposed(dialog)) {
            look(dialog, name);
            looked = true;
        }
        if (dialog)
            dialog->close();
    });
    open();
    QVERIFY(looked);
}

} // namespace

// The windows at the one scale this run was started with.
class TestAtScale : public QObject {
    Q_OBJECT
public:
    explicit TestAtScale(qreal factor)
        : m_factor(factor) {}

private slots:
    void initTestCase();
    void mainWindow();
    void commentWindow();
    void messageBox();
    void inputBox();
    void countdown();

private:
    qreal m_factor;
};

// The screen is at the scale asked for, or this run would prove nothing.
void TestAtScale::initTestCase() {
    QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), m_factor);
}

void TestAtScale::mainWindow() {
    Rig rig;
    frmMain window(rig.services());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    named<QListWidget>(&window, "lstPick")->addItems({QStringLiteral("홍길동"), QStringLiteral("김철수")});
    named<ResultBox>(&window, "txtPick")->setText(QStringLiteral("황, 김철수"));
    look(&window, QStringLiteral("frmMain"));
}

void TestAtScale::commentWindow() {
    Rig rig;
    frmMain main(rig.services());
    main.show();
    choose(&main, "mnu_Pcmt");
    QWidget *window = topLevel("frmPcmnt");
    QVERIFY(QTest::qWaitForWindowExposed(window));
    look(window, QStringLiteral("frmPcmnt"));
    window->close();
}

void TestAtScale::messageBox() {
    QtPrompter prompter;
    checkDialog(
        [&] {
            prompter.prompt(
                PromptKind::Question, QStringLiteral("Tombolix Alert"),
                QStringLiteral("지금 추첨을 진행하면 남아있던 결과가 사라집니다. 계속하시겠습니까?"), {});
        },
        QStringLiteral("message-box"));
}

void TestAtScale::inputBox() {
    QtPrompter prompter;
    checkDialog(
        [&] {
            prompter.prompt(
                PromptKind::Input, QStringLiteral("Tombolix - 추첨"),
                QStringLiteral("추첨하실 항목의 갯수를 입력해주세요. (Ex : 3)\r\n※단, 리스트의 항목 수보다 "
                               "많을 수는 없습니다."),
                {});
        },
        QStringLiteral("input-box"));
}

void TestAtScale::countdown() {
    Countdown countdown(nullptr);
    bool looked = false;
    QTimer::singleShot(0, [&] {
        if (QTest::qWaitForWindowExposed(&countdown)) {
            look(&countdown, QStringLiteral("countdown"));
            looked = true;
        }
        countdown.end();
    });
    countdown.wait(QStringLiteral("2026 봄 나눔 이벤트: 27946612 라운드를 기다리는 중"),
                   [] { return qint64(60000); });
    QVERIFY(looked);
}

// Starts a run of this program at each scale.
class TestScales : public QObject {
    Q_OBJECT
private slots:
    void atEveryScale_data();
    void atEveryScale();
};

void TestScales::atEveryScale_data() {
    QTest::addColumn<QString>("factor");
    for (const char *factor : {"1", "1.25", "1.5", "1.75", "2"})
        QTest::newRow(factor) << QString::fromLatin1(factor);
}

void TestScales::atEveryScale() {
    QFETCH(QString, factor);
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--at"), factor});
    QVERIFY(run.waitForFinished(120000));
    const QString output = QString::fromUtf8(run.readAll());
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, qPrintable(output));
}

int main(int argc, char **argv) {
    int exitCode = 0;
    {
        // --at FACTOR [--pictures FOLDER]: the windows at one scale (and their pictures, kept)
        if (argc >= 3 && qstrcmp(argv[1], "--at") == 0) {
            if (argc >= 5 && qstrcmp(argv[3], "--pictures") == 0)
                picturesFolder = QString::fromLocal8Bit(argv[4]);
            qputenv("QT_SCALE_FACTOR", argv[2]);
            QApplication app(argc, argv);
            installQtKoreanTranslation();
            QApplication::setStyle(new TombolixStyle); // as the program's own application sets it
            TestAtScale test(QByteArray(argv[2]).toDouble());
            exitCode = QTest::qExec(&test, QStringList{QCoreApplication::applicationFilePath()});
        } else {
            QApplication app(argc, argv);
            TestScales test;
            exitCode = QTest::qExec(&test, argc, argv);
        }
    }
    return tombolix::endProgram(exitCode); // as the program ends, on Windows too
}

#include "test_scales.moc"
