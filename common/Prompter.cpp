#include "common/Prompter.h"

namespace tombolix {

void Prompter::information(const QString &text, const QString &title) {
    prompt(PromptKind::Information, title, text, {});
}

void Prompter::warning(const QString &text, const QString &title) {
    prompt(PromptKind::Warning, title, text, {});
}

void Prompter::notice(const QString &text, const QString &title) {
    prompt(PromptKind::Notice, title, text, {});
}

bool Prompter::question(const QString &text, const QString &title) {
    return prompt(PromptKind::Question, title, text, {}).accepted;
}

std::optional<QString> Prompter::input(const QString &title, const QString &promptText,
                                       const QString &initialText) {
    const Answer answer = prompt(PromptKind::Input, title, promptText, initialText);
    if (!answer.accepted)
        return std::nullopt;
    return answer.text;
}

std::optional<QString> Prompter::multiLineInput(const QString &title, const QString &promptText,
                                                const QString &initialText) {
    const Answer answer = prompt(PromptKind::MultiLineInput, title, promptText, initialText);
    if (!answer.accepted)
        return std::nullopt;
    return answer.text;
}

QString Prompter::openFile(const QString &filter, const QString &folder) {
    const Answer answer = prompt(PromptKind::OpenFile, QString(), filter, folder);
    return answer.accepted ? answer.text : QString();
}

void Prompter::error(int number, const QString &description) {
    prompt(PromptKind::Error, applicationTitle(), errorText(number, description), {});
}

QString Prompter::errorText(int number, const QString &description) {
    // One pass over the text: a "%1" in the description (a path, a name) stays as it is.
    return QStringLiteral("런타임 오류 '%1':\r\n\r\n%2").arg(QString::number(number), description);
}

} // namespace tombolix
