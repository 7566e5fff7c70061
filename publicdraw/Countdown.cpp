#include "publicdraw/Countdown.h"

#include "common/Look.h"

#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tombolix {

namespace {

QString timeLeft(qint64 ms) {
    const qint64 seconds = (qMax<qint64>(ms, 0) + 999) / 1000;
    return QStringLiteral("남은 시간 : %1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

Countdown::Countdown(QWidget *parent)
    : QDialog(parent)
    , m_text(new QLabel(this))
    , m_left(new QLabel(this))
    , m_cancel(new QPushButton(QStringLiteral("취소"), this)) {
    setObjectName(QStringLiteral("countdown"));
    setWindowTitle(QStringLiteral("Tombolix - 공개 추첨"));
    setModal(false);
    paintWhite(this);
    setFont(dotumFont(9));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setMargin(1); // a stroke may reach past the text's advance
    m_text->setAlignment(Qt::AlignCenter);
    m_left->setAlignment(Qt::AlignCenter);
    m_left->setFont(gulimFont(11.25, true));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_left);
    layout->addWidget(m_cancel, 0, Qt::AlignCenter);
    connect(m_cancel, &QPushButton::clicked, this, &Countdown::end);
}

bool Countdown::wait(const QString &text, const std::function<qint64()> &remainingMs) {
    if (remainingMs() <= 0)
        return true;
    m_text->setText(text);
    m_left->setText(timeLeft(remainingMs()));
    QEventLoop loop;
    bool reached = false;
    QTimer tick;
    connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 left = remainingMs();
        m_left->setText(timeLeft(left));
        if (left <= 0) {
            reached = true;
            loop.quit();
        }
    });
    tick.start(200);
    m_loop = &loop;
    show();
    raise();
    loop.exec(); // also ends when the program quits
    m_loop = nullptr;
    hide();
    return reached;
}

void Countdown::end() {
    if (m_loop)
        m_loop->quit();
}

void Countdown::reject() {
    end(); // Esc and the close button cancel the wait
}

} // namespace tombolix
