#include "app/ResultBox.h"

#include <QTextOption>

namespace tombolix {

ResultBox::ResultBox(QWidget *parent)
    : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Lines never wrap, yet the document keeps the box's width: a short line is centred in
    // the box and a long one scrolls whole. (QTextEdit::NoWrap with centred lines gives the
    // horizontal scroll bar no range, which cuts both ends off a long line, and lays the text
    // out twice.)
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::NoWrap);
    document()->setDefaultTextOption(option);
    document()->setUndoRedoEnabled(false);
}

void ResultBox::setText(const QString &text) {
    m_text = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
}

} // namespace tombolix
