#include "common/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace tombolix {

namespace {

// Our texts carry CR LF line breaks; a label wants plain LF.
QString forDisplay(const QString &text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QWidget *dialogParent() {
    return QApplication::activeWindow();
}

Prompter::Answer askInput(const QString &title, const QString &text) {
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(forDisplay(text));
    dialog.setTextValue(QString());
    // QInputDialog's label guesses rich text; entries and addresses may hold '<'.
    for (QLabel *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return {accepted, accepted ? dialog.textValue() : QString()};
}

Prompter::Answer askFile(const QString &filter) {
    const QString name = QFileDialog::getOpenFileName(dialogParent(), QString(), QString(), filter);
    return {!name.isEmpty(), name};
}

Prompter::Answer showBox(PromptKind kind, const QString &title, const QString &text) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (kind) {
    case PromptKind::Information:
        icon = QMessageBox::Information;
        break;
    case PromptKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case PromptKind::Error:
        icon = QMessageBox::Critical;
        break;
    case PromptKind::Question:
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    default:
        break;
    }
    QMessageBox box(icon, title, forDisplay(text), buttons, dialogParent());
    box.setTextFormat(Qt::PlainText);
    const int result = box.exec();
    return {kind == PromptKind::Question ? result == QMessageBox::Yes : true, QString()};
}

} // namespace

Prompter::Answer QtPrompter::prompt(PromptKind kind, const QString &title, const QString &text) {
    switch (kind) {
    case PromptKind::Input:
        return askInput(title, text);
    case PromptKind::OpenFile:
        return askFile(text);
    default:
        return showBox(kind, title, text);
    }
}

} // namespace tombolix
