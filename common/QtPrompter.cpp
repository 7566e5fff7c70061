#include "common/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSpacerItem>
#include <QTranslator>

namespace tombolix {

namespace {

// Our texts carry CR LF line breaks; a label wants plain LF.
QString forDisplay(const QString &text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

// Room for the title bar's icon and buttons beside the title.
constexpr int titleBarExtra = 110;

QWidget *dialogParent() {
    return QApplication::activeWindow();
}

Prompter::Answer askInput(const QString &title, const QString &text, const QString &initialText,
                          bool multiLine) {
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    // a line edit holds at most 32,767 characters and cuts the rest without a word
    dialog.setOption(QInputDialog::UsePlainTextEditForTextInput, multiLine);
    // The label has the text box for its buddy, so a lone "&" would be taken for a keyboard
    // mnemonic and hidden: the address helper's example holds "&~~~~".
    dialog.setLabelText(forDisplay(text).replace(u'&', QStringLiteral("&&")));
    dialog.setTextValue(initialText);
    // QInputDialog's label guesses rich text; entries and addresses may hold '<'.
    for (QLabel *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return {accepted, accepted ? dialog.textValue() : QString()};
}

Prompter::Answer askFile(const QString &filter, const QString &folder) {
    // An open dialog that does not insist on an existing file: a typed name that is not there
    // reaches the program, which says so in its own words.
    QFileDialog dialog(dialogParent(), QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {false, {}};
    const QString name = dialog.selectedFiles().constFirst();
    return {!name.isEmpty(), name};
}

// A box sized by its text alone can be narrower than its title, which the title bar then cuts.
void makeRoomForTitle(QMessageBox &box) {
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    // the title's own width, and the title bar's icon and buttons beside it
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + titleBarExtra;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
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
    makeRoomForTitle(box);
    const int result = box.exec();
    return {kind == PromptKind::Question ? result == QMessageBox::Yes : true, QString()};
}

} // namespace

bool installQtKoreanTranslation() {
    static QTranslator *translator = nullptr;
    if (translator)
        return true;
    auto *korean = new QTranslator(QCoreApplication::instance());
    const QLocale locale(QLocale::Korean, QLocale::SouthKorea);
    for (const QString &folder :
         QStringList{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                     QString(QCoreApplication::applicationDirPath() + QStringLiteral("/translations"))}) {
        if (korean->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(korean);
            translator = korean;
            return true;
        }
    }
    delete korean;
    return false;
}

Prompter::Answer QtPrompter::prompt(PromptKind kind, const QString &title, const QString &text,
                                    const QString &initialText) {
    switch (kind) {
    case PromptKind::Input:
    case PromptKind::MultiLineInput:
        return askInput(title, text, initialText, kind == PromptKind::MultiLineInput);
    case PromptKind::OpenFile:
        return askFile(text, initialText);
    default:
        return showBox(kind, title, text);
    }
}

} // namespace tombolix
