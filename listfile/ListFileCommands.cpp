#include "listfile/ListFileCommands.h"

#include "common/DrawList.h"
#include "common/FilesFolder.h"
#include "common/Prompter.h"
#include "common/Services.h"
#include "core/Constants.h"
#include "core/Entrants.h"
#include "core/ListFile.h"
#include "listfile/modIO.h"

#include <QDir>

namespace tombolix {

namespace {

QString fileNamePrompt() {
    return QStringLiteral("원하는 파일 이름을 입력해주세요.(확장자는 자동으로 들어가므로 예를들어 ") +
           crlf() + QStringLiteral("모락토네리스트.txt는 모락토네리스트 만 입력하시면 됩니다.");
}

// Characters code page 949 cannot hold would be written as '?': the user decides.
bool acceptLossyEntries(const QStringList &entries, Prompter &prompter) {
    const QStringList lossy = entriesNotFittingCp949(entries);
    if (lossy.isEmpty())
        return true;
    return prompter.question(
        QStringLiteral(
            "%1개 항목에 리스트 파일(코드 페이지 949)에 저장할 수 없는 글자가 있어, 그 글자는 '?'로 "
            "저장됩니다. (첫 항목 : %2) 그래도 저장하시겠습니까?")
            .arg(QString::number(lossy.size()), lossy.first()));
}

} // namespace

void saveDrawList(const DrawList &list, const Services &services) {
    Prompter &prompter = services.prompter;
    if (list.count() == 0) {
        prompter.information(QStringLiteral("리스트에 항목이 없습니다!"));
        return;
    }
    const std::optional<QString> name =
        prompter.input(QStringLiteral("Tombolix - 파일 이름 지정"), fileNamePrompt());
    if (!name)
        return; // cancelled: nothing saved, nothing said
    if (name->isEmpty()) {
        prompter.information(QStringLiteral("저장할 파일 이름을 입력해주세요!"));
        return;
    }
    const QString path = pathToWrite(services, *name + QStringLiteral(".txt"));
    const QStringList entries = list.entries();
    if (!acceptLossyEntries(entries, prompter))
        return;
    if (WriteTextFile(path, buildListText(entries)))
        prompter.notice(QDir::toNativeSeparators(path) + QStringLiteral(" 경로에 저장 성공!"));
    else
        prompter.warning(QStringLiteral("저장에 실패하였습니다! 다시 시도해보세요."));
}

Expected<QStringList> readListFile(const QString &path) {
    const QString text = ReadTextFile(path, 8192);
    if (text.isEmpty())
        return Problem{QStringLiteral("선택하신 파일이 없거나 손상되었습니다!")};
    if (!isListText(text))
        return Problem{QStringLiteral("선택하신 파일이 데이터파일이 아니거나 손상되었습니다!")};
    return parseListText(text);
}

QString chooseListFile(const Services &services) {
    return services.prompter.openFile(QStringLiteral("Tombolix List File (*.txt)"), services.filesFolder);
}

void loadDrawList(DrawList &list, const Services &services) {
    Prompter &prompter = services.prompter;
    const QString fileName = chooseListFile(services);
    if (fileName.isEmpty()) {
        prompter.warning(QStringLiteral("파일을 선택하세요!"));
        return;
    }
    const Expected<QStringList> read = readListFile(fileName);
    if (!read) {
        prompter.warning(read.problem());
        return;
    }
    prompter.information(QStringLiteral("로딩을 시작합니다. 아무 키도 누르지 말고 잠시만 기다려주세요."));
    const QStringList &entries = *read;
    qsizetype added = 0;
    while (added < entries.size() && list.append(entries.at(added)))
        ++added;
    if (added < entries.size()) {
        prompter.information(
            QStringLiteral(
                "리스트에는 항목을 %1개까지만 넣을 수 있어, 파일의 항목 중 %2개는 추가하지 못했습니다.")
                .arg(QString::number(maxDrawListEntries), QString::number(entries.size() - added)));
        return;
    }
    prompter.information(QStringLiteral("데이터를 모두 불러왔습니다! 정상적으로 사용하실 수 있습니다 ^^"));
}

void applyExclusionList(DrawList &list, const Services &services) {
    Prompter &prompter = services.prompter;
    if (list.count() == 0) {
        prompter.information(QStringLiteral("리스트에 항목이 없습니다!"));
        return;
    }
    const QString fileName = chooseListFile(services);
    if (fileName.isEmpty())
        return; // cancelled: nothing changes, nothing said
    const Expected<QStringList> read = readListFile(fileName);
    if (!read) {
        prompter.warning(read.problem());
        return;
    }
    const QSet<QString> excluded = entrantKeys(*read);
    const QStringList entries = list.entries();
    QList<int> positions;
    for (int i = 0; i < entries.size(); ++i) {
        if (excluded.contains(entrantKey(entries.at(i))))
            positions.append(i);
    }
    const QString people =
        QStringLiteral("제외 목록(") + QString::number(excluded.size()) + QStringLiteral("명)");
    if (positions.isEmpty()) {
        prompter.information(people + QStringLiteral("과 같아 보이는 항목이 리스트에 없습니다."));
        return;
    }
    if (!prompter.question(people + QStringLiteral("과 같아 보이는 항목 ") +
                           QString::number(positions.size()) +
                           QStringLiteral("개를 리스트에서 삭제하시겠습니까? (첫 항목 : ") +
                           entries.at(positions.first()) + u')')) {
        prompter.notice(QStringLiteral("제외 목록 적용을 취소했습니다."));
        return;
    }
    // A list an import made keeps its rules, this one among them.
    QStringList rules = list.importRules();
    list.removePositions(positions);
    if (!rules.isEmpty()) {
        rules.append(QStringLiteral("나중에 적용한 제외 목록 : ") + QString::number(excluded.size()) +
                     QStringLiteral("명 (항목 ") + QString::number(positions.size()) +
                     QStringLiteral("개 삭제)"));
        list.setImportRules(rules);
    }
    prompter.notice(QStringLiteral("항목 ") + QString::number(positions.size()) +
                    QStringLiteral("개를 리스트에서 삭제했습니다."));
}

} // namespace tombolix
