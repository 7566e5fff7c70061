#pragma once

#include <QTextEdit>

namespace tombolix {

// The result box: read-only for the user, centred, with both scroll bars. It keeps the text
// exactly as the program wrote it (CR LF separators included); the display shows lines.
class ResultBox : public QTextEdit {
    Q_OBJECT
public:
    explicit ResultBox(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

private:
    QString m_text;
};

} // namespace tombolix
