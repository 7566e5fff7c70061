#pragma once

#include <QDialog>

#include <functional>

class QEventLoop;
class QLabel;
class QPushButton;

namespace tombolix {

// A small window that counts down with a cancel button, while the other windows stay usable.
class Countdown : public QDialog {
    Q_OBJECT
public:
    explicit Countdown(QWidget *parent);

    // Waits while `remainingMs` is above 0, showing `text` and the time left. False when the
    // user cancelled or closed it, or end() was called.
    bool wait(const QString &text, const std::function<qint64()> &remainingMs);
    // Ends a running wait as cancelled.
    void end();

    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void reject() override;

private:
    QLabel *m_text;
    QLabel *m_left;
    QPushButton *m_cancel;
    QEventLoop *m_loop = nullptr;
};

} // namespace tombolix
