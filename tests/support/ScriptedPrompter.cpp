#include "tests/support/ScriptedPrompter.h"

#include <QTest>

namespace tombolix::test {

Prompter::Answer ScriptedPrompter::prompt(PromptKind kind, const QString &title, const QString &text,
                                          const QString &initialText) {
    records.append({kind, title, text, initialText});
    if (whileOpen)
        whileOpen(records.last());
    const bool needsAnswer = kind == PromptKind::Question || kind == PromptKind::Input ||
                             kind == PromptKind::MultiLineInput || kind == PromptKind::OpenFile;
    if (!needsAnswer)
        return {true, {}};
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected prompt: ") + text), __FILE__, __LINE__);
        return {false, {}};
    }
    return m_answers.dequeue();
}

void ScriptedPrompter::reset() {
    records.clear();
    m_answers.clear();
}

QStringList ScriptedPrompter::texts() const {
    QStringList all;
    for (const Record &record : records)
        all.append(record.text);
    return all;
}

} // namespace tombolix::test
