// Saving and loading list files through the real menu commands, in a temporary folder that
// stands in for the program folder.
#include "app/frmMain.h"
#include "common/FilesFolder.h"
#include "core/Cp949.h"
#include "core/ListFile.h"
#include "listfile/modIO.h"
#include "tests/support/Fakes.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

using namespace tombolix;
using namespace tombolix::test;

namespace {

const QString loadingStarts = QStringLiteral("로딩을 시작합니다. 아무 키도 누르지 말고 잠시만 기다려주세요.");
const QString allLoaded = QStringLiteral("데이터를 모두 불러왔습니다! 정상적으로 사용하실 수 있습니다 ^^");
const QString missingOrDamaged = QStringLiteral("선택하신 파일이 없거나 손상되었습니다!");
const QString saveFailed = QStringLiteral("저장에 실패하였습니다! 다시 시도해보세요.");

QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestListFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void saveWritesTheExactBytes();
    void loadBringsTheEntriesBackEveryTime();
    void saveAsksForAName();
    void unrepresentableCharactersAreAskedAbout();
    void failedSavesSayNothingWasSaved();
    void filesGoWhereTheProgramKeepsThem();
    void aReadOnlyProgramFolderIsNotUsed();
    void fileContents_data();
    void fileContents();
    void refusedFiles_data();
    void refusedFiles();
    void loadStopsAtTheListLimit();
    void badBytesLoadCleanly();
    void savedListsComeBackUnchanged_data();
    void savedListsComeBackUnchanged();
    void everySyllableAloneReadsAsItself();
    void anExclusionListCleansTheList();

private:
    QString load(const QByteArray &bytes);
    QString path(const QString &name) const { return rig->folder.filePath(name); }

    std::unique_ptr<Rig> rig;
    std::unique_ptr<frmMain> window;
};

void TestListFile::init() {
    rig = std::make_unique<Rig>();
    window = std::make_unique<frmMain>(rig->services());
}

void TestListFile::cleanup() {
    window.reset();
    rig.reset();
}

// Writes the bytes to a file and loads it through the menu command.
QString TestListFile::load(const QByteArray &bytes) {
    const QString file = path(QStringLiteral("input.txt"));
    writeBytes(file, bytes);
    rig->prompter.chooseFile(file);
    window->mnu_Load->trigger();
    return file;
}

void TestListFile::saveWritesTheExactBytes() {
    for (const QString &entry : {QStringLiteral("가"), QStringLiteral("나"), QStringLiteral("다")})
        window->drawList().append(entry);
    rig->prompter.type(QStringLiteral("abc"));
    window->mnu_Save->trigger();
    const QString file = path(QStringLiteral("abc.txt"));
    QCOMPARE(readAll(file), QByteArray("tombolix\xB0\xA1\r\n\xB3\xAA\r\n\xB4\xD9\r\n\r\n"));
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[0].title, QStringLiteral("Tombolix - 파일 이름 지정"));
    QCOMPARE(rig->prompter.records[0].text,
             QStringLiteral("원하는 파일 이름을 입력해주세요.(확장자는 자동으로 들어가므로 예를들어 \r\n"
                            "모락토네리스트.txt는 모락토네리스트 만 입력하시면 됩니다."));
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Notice);
    QCOMPARE(rig->prompter.records[1].text,
             QDir::toNativeSeparators(file) + QStringLiteral(" 경로에 저장 성공!"));

    // saving again over the same name replaces the file without a question
    window->drawList().removeAt(0);
    rig->prompter.reset();
    rig->prompter.type(QStringLiteral("abc"));
    window->mnu_Save->trigger();
    QCOMPARE(readAll(file), QByteArray("tombolix\xB3\xAA\r\n\xB4\xD9\r\n\r\n"));
    QCOMPARE(rig->prompter.records.size(), 2);
}

void TestListFile::loadBringsTheEntriesBackEveryTime() {
    const QString file = path(QStringLiteral("abc.txt"));
    writeBytes(file, QByteArray("tombolix\xB0\xA1\r\n\xB3\xAA\r\n\xB4\xD9\r\n\r\n"));
    rig->prompter.chooseFile(file);
    window->mnu_Load->trigger();
    QCOMPARE(listEntries(window->lstPick),
             (QStringList{QStringLiteral("가"), QStringLiteral("나"), QStringLiteral("다")}));
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 3개)"));
    QCOMPARE(rig->prompter.texts().mid(1), (QStringList{loadingStarts, allLoaded}));
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::OpenFile);
    QCOMPARE(rig->prompter.records[0].text, QStringLiteral("Tombolix List File (*.txt)"));
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Information);

    rig->prompter.chooseFile(file);
    window->mnu_Load->trigger();
    QCOMPARE(window->lstPick->count(), 6);
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 6개)"));

    // and a list saved here reads back the same in another window
    rig->prompter.reset();
    rig->prompter.type(QStringLiteral("again"));
    window->mnu_Save->trigger();
    Rig other;
    frmMain second(other.services());
    other.prompter.chooseFile(path(QStringLiteral("again.txt")));
    second.mnu_Load->trigger();
    QCOMPARE(listEntries(second.lstPick), listEntries(window->lstPick));
}

void TestListFile::saveAsksForAName() {
    window->mnu_Save->trigger();
    QCOMPARE(rig->prompter.texts(), QStringList{QStringLiteral("리스트에 항목이 없습니다!")});

    window->drawList().append(QStringLiteral("a"));
    rig->prompter.reset();
    rig->prompter.cancel();
    window->mnu_Save->trigger();
    QCOMPARE(rig->prompter.records.size(), 1); // the input box only
    QVERIFY(!QFile::exists(path(QStringLiteral(".txt"))));

    rig->prompter.reset();
    rig->prompter.type(QString());
    window->mnu_Save->trigger();
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Information);
    QVERIFY(QDir(rig->folder.path()).entryList(QDir::Files).isEmpty());

    // any other name is used as typed, blanks included
    rig->prompter.reset();
    rig->prompter.type(QStringLiteral(" 모락토네리스트 "));
    window->mnu_Save->trigger();
    QVERIFY(QFile::exists(path(QStringLiteral(" 모락토네리스트 .txt"))));
}

void TestListFile::unrepresentableCharactersAreAskedAbout() {
    for (const QString &entry : {QStringLiteral("a😀"), QStringLiteral("b"), QStringLiteral("c😀")})
        window->drawList().append(entry);
    rig->prompter.type(QStringLiteral("emoji"));
    rig->prompter.no();
    window->mnu_Save->trigger();
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Question);
    QVERIFY(rig->prompter.records[1].text.contains(QStringLiteral("2개")));
    QVERIFY(rig->prompter.records[1].text.contains(QStringLiteral("a😀")));
    QVERIFY(!QFile::exists(path(QStringLiteral("emoji.txt"))));

    rig->prompter.reset();
    rig->prompter.type(QStringLiteral("emoji"));
    rig->prompter.yes();
    window->mnu_Save->trigger();
    QCOMPARE(readAll(path(QStringLiteral("emoji.txt"))), QByteArray("tombolixa?\r\nb\r\nc?\r\n\r\n"));
    QCOMPARE(rig->prompter.records.size(), 3);
    QCOMPARE(rig->prompter.records[2].kind, PromptKind::Notice);
}

void TestListFile::failedSavesSayNothingWasSaved() {
    window->drawList().append(QStringLiteral("a"));
    // a name that is a folder holding a file of its own
    QVERIFY(QDir(rig->folder.path()).mkdir(QStringLiteral("taken.txt")));
    writeBytes(path(QStringLiteral("taken.txt/inside")), "keep");
    // and a name in a folder that does not exist
    for (const QString &name : {QStringLiteral("taken"), QStringLiteral("no/such/folder/list")}) {
        rig->prompter.reset();
        rig->prompter.type(name);
        window->mnu_Save->trigger();
        QCOMPARE(rig->prompter.records.size(), 2);
        QCOMPARE(rig->prompter.records[1].kind, PromptKind::Warning);
        QCOMPARE(rig->prompter.records[1].text, saveFailed);
    }
    QCOMPARE(readAll(path(QStringLiteral("taken.txt/inside"))), QByteArray("keep"));
    QCOMPARE(QDir(rig->folder.path()).entryList(QDir::Files), QStringList());
}

// The program's own folder when it carries tombolix.portable and takes a write; else the user's
// documents folder, where Tombolix's folder is made at the first save and the dialogs start.
void TestListFile::filesGoWhereTheProgramKeepsThem() {
    {
        Services services = rig->services();
        services.filesFolder = rig->folder.filePath(QStringLiteral("문서/Tombolix"));
        frmMain other(services);
        other.drawList().append(QStringLiteral("김철수"));
        rig->prompter.type(QStringLiteral("첫 저장"));
        other.mnu_Save->trigger();
        QCOMPARE(readAll(services.filesFolder + QStringLiteral("/첫 저장.txt")),
                 toCp949(QStringLiteral("tombolix김철수\r\n\r\n")).bytes);
        rig->prompter.reset();
        rig->prompter.chooseFile(QString());
        other.mnu_Load->trigger();
        QCOMPARE(rig->prompter.records[0].kind, PromptKind::OpenFile);
        QCOMPARE(rig->prompter.records[0].initialText, services.filesFolder);
        rig->prompter.reset();
    }

    QTemporaryDir program;
    QTemporaryDir home;
    const QString documents = home.filePath(QStringLiteral("문서"));
    QCOMPARE(decideFilesFolder(program.path(), documents), documents + QStringLiteral("/Tombolix"));
    writeBytes(program.filePath(QStringLiteral("tombolix.portable")), QByteArray());
    QCOMPARE(decideFilesFolder(program.path(), documents), program.path());
    QVERIFY(QDir(program.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size() ==
            1);
    QCOMPARE(decideFilesFolder(program.filePath(QStringLiteral("no such")), QString()),
             QDir::homePath() + QStringLiteral("/Tombolix"));
}

// A folder that cannot be written (the zip unpacked in Program Files): the documents folder.
void TestListFile::aReadOnlyProgramFolderIsNotUsed() {
    QTemporaryDir program;
    const QString documents = program.filePath(QStringLiteral("../문서"));
    writeBytes(program.filePath(QStringLiteral("tombolix.portable")), QByteArray());
    QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QTemporaryFile(program.filePath(QStringLiteral("probe"))).open()) {
        QFile::setPermissions(program.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QSKIP("this user may write into a read-only folder here (root; Windows ignores the flag)");
    }
    QCOMPARE(decideFilesFolder(program.path(), documents), documents + QStringLiteral("/Tombolix"));
    QFile::setPermissions(program.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestListFile::fileContents_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("word removed everywhere") << QByteArray("tombolixabctombolix\r\ntombolix\r\nx\r\n\r\n")
                                             << QStringList{QStringLiteral("abc"), QStringLiteral("x")};
    QTest::newRow("only the word and line ends") << QByteArray("tombolix\r\n\r\n") << QStringList{};
    QTest::newRow("blank lines skipped, spaces kept")
        << QByteArray("tombolixa\r\n\r\n\r\n   \r\nb\r\n")
        << QStringList{QStringLiteral("a"), QStringLiteral("   "), QStringLiteral("b")};
    QTest::newRow("line feeds only") << QByteArray("tombolixa\nb\nc\n")
                                     << QStringList{QStringLiteral("a\nb\nc\n")};
    QTest::newRow("utf-8") << QByteArray("tombolix가\r\n나\r\n")
                           << QStringList{QStringLiteral("가"), QStringLiteral("나")};
    QTest::newRow("utf-8 with byte-order mark")
        << QByteArray("\xEF\xBB\xBFtombolixa\r\n") << QStringList{QStringLiteral("a")};
    QTest::newRow("code page 949 that happens to hold a lone byte")
        << QByteArray("tombolix\xB0\xA1\xFF\r\n") << QStringList{QStringLiteral("가\uFFFD")};
}

void TestListFile::fileContents() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    load(bytes);
    QCOMPARE(listEntries(window->lstPick), entries);
    QCOMPARE(rig->prompter.texts().mid(1), (QStringList{loadingStarts, allLoaded}));
    QCOMPARE(window->lblList->text(), DrawList::countText(int(entries.size())));
}

void TestListFile::refusedFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("warning");
    QTest::newRow("cancelled") << QStringLiteral("cancel") << QStringLiteral("파일을 선택하세요!");
    QTest::newRow("missing") << QStringLiteral("missing") << missingOrDamaged;
    QTest::newRow("empty") << QStringLiteral("empty") << missingOrDamaged;
    QTest::newRow("folder") << QStringLiteral("folder") << missingOrDamaged;
    QTest::newRow("hidden") << QStringLiteral("hidden") << missingOrDamaged;
    QTest::newRow("over 64 MiB") << QStringLiteral("huge") << missingOrDamaged;
    QTest::newRow("capital T") << QStringLiteral("Tombolix")
                               << QStringLiteral("선택하신 파일이 데이터파일이 아니거나 손상되었습니다!");
    QTest::newRow("shorter than the word")
        << QStringLiteral("tombo") << QStringLiteral("선택하신 파일이 데이터파일이 아니거나 손상되었습니다!");
}

void TestListFile::refusedFiles() {
    QFETCH(QString, kind);
    QFETCH(QString, warning);
    window->drawList().append(QStringLiteral("before"));
    QString file = path(QStringLiteral("x.txt"));
    if (kind == QStringLiteral("cancel")) {
        file.clear();
    } else if (kind == QStringLiteral("empty")) {
        writeBytes(file, QByteArray());
    } else if (kind == QStringLiteral("folder")) {
        QVERIFY(QDir(rig->folder.path()).mkdir(QStringLiteral("x.txt")));
    } else if (kind == QStringLiteral("hidden")) {
        file = path(QStringLiteral(".hidden.txt"));
        writeBytes(file, "tombolixa\r\n");
    } else if (kind == QStringLiteral("huge")) {
        QFile huge(file);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        huge.write("tombolixa\r\n");
        QVERIFY(huge.resize(maxListFileBytes + 1));
    } else if (kind != QStringLiteral("missing")) {
        writeBytes(file, (kind + QStringLiteral("a\r\n")).toLatin1());
    }
    rig->prompter.chooseFile(file);
    window->mnu_Load->trigger();
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Warning);
    QCOMPARE(rig->prompter.records[1].text, warning);
    QCOMPARE(listEntries(window->lstPick), QStringList{QStringLiteral("before")});
}

void TestListFile::loadStopsAtTheListLimit() {
    for (int i = 0; i < 32765; ++i)
        window->lstPick->addItem(QString::number(i));
    load("tombolix1\r\n2\r\n3\r\n4\r\n5\r\n");
    QCOMPARE(window->lstPick->count(), 32767);
    QCOMPARE(window->lstPick->item(32766)->text(), QStringLiteral("2"));
    QCOMPARE(rig->prompter.records.size(), 3);
    QCOMPARE(rig->prompter.records[2].kind, PromptKind::Information);
    QVERIFY(rig->prompter.records[2].text.contains(QStringLiteral("3개")));
}

// Random bytes, NUL bytes and a character cut in half: a clear warning or a clean load.
void TestListFile::badBytesLoadCleanly() {
    QByteArray noise(100000, Qt::Uninitialized);
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    noise.replace("tombolix", "tomboliX");
    load(noise);
    QCOMPARE(rig->prompter.records.last().kind, PromptKind::Warning);
    QCOMPARE(window->lstPick->count(), 0);

    load("tombolix" + noise);
    QCOMPARE(rig->prompter.records.last().text, allLoaded);
    const int loaded = window->lstPick->count();
    QVERIFY(loaded > 0);

    rig->prompter.reset();
    load(QByteArray("tombolixa\0b\r\n\0\r\n", 16));
    QCOMPARE(window->lstPick->item(loaded)->text(), QString::fromUtf16(u"a\0b", 3));
    QCOMPARE(window->lstPick->item(loaded + 1)->text(), QString(QChar(0)));

    load("tombolix\xB0\xA1\r\n\xB3");
    QCOMPARE(window->lstPick->item(loaded + 2)->text(), QStringLiteral("가"));
    QCOMPARE(window->lstPick->item(loaded + 3)->text(), QStringLiteral("\uFFFD"));
    QCOMPARE(window->lstPick->count(), loaded + 4);
}

void TestListFile::savedListsComeBackUnchanged_data() {
    QTest::addColumn<QStringList>("entries");
    // the code page 949 bytes of 홍 (C8 AB) and 황 (C8 B2) are valid UTF-8 as well
    QTest::newRow("홍") << QStringList{QStringLiteral("홍")};
    QTest::newRow("황") << QStringList{QStringLiteral("황")};
    QTest::newRow("김철수") << QStringList{QStringLiteral("김철수")};
    QTest::newRow("홍, 황, 김철수") << QStringList{QStringLiteral("홍"), QStringLiteral("황"),
                                                   QStringLiteral("김철수")};
    QStringList syllables;
    for (char16_t c = 0xAC00; c <= 0xD7A3; ++c)
        syllables.append(QString(QChar(c)));
    QTest::newRow("every Hangul syllable") << syllables;
    // every character of KS X 1001 (both bytes A1 to FE), each an entry of its own
    QStringList ksx1001;
    for (int lead = 0xA1; lead <= 0xFE; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            const char pair[] = {char(lead), char(trail)};
            const QString c = fromCp949(QByteArray(pair, 2));
            if (c.size() == 1 && c != QStringLiteral("\uFFFD"))
                ksx1001.append(c);
        }
    }
    QCOMPARE(ksx1001.size(), 8226); // 8,224, and the euro and registered signs of 1998
    QTest::newRow("every KS X 1001 character") << ksx1001;
}

// Through the real menu commands: saved by one window, loaded by another.
void TestListFile::savedListsComeBackUnchanged() {
    QFETCH(QStringList, entries);
    for (const QString &entry : entries)
        QVERIFY(window->drawList().append(entry));
    rig->prompter.type(QStringLiteral("추첨명단"));
    window->mnu_Save->trigger();
    QCOMPARE(rig->prompter.records.last().kind, PromptKind::Notice);

    Rig other;
    frmMain second(other.services());
    other.prompter.chooseFile(path(QStringLiteral("추첨명단.txt")));
    second.mnu_Load->trigger();
    QCOMPARE(other.prompter.texts().last(), allLoaded);
    QCOMPARE(listEntries(second.lstPick), entries);
}

// The same decoding as the load, for a list of each syllable alone.
void TestListFile::everySyllableAloneReadsAsItself() {
    for (char16_t c = 0xAC00; c <= 0xD7A3; ++c) {
        const QString text = buildListText({QString(QChar(c))}) + QStringLiteral("\r\n");
        const QString read = decodeListFile(toCp949(text).bytes);
        if (read != text)
            QFAIL(qPrintable(QStringLiteral("%1 reads as %2").arg(text, read)));
    }
}

// "제외 목록 적용…": the entries that read the same as a name of a list file (earlier winners,
// staff), counted, shown and asked about before they go; a list file the reader refuses, or no
// entry to remove, changes nothing.
void TestListFile::anExclusionListCleansTheList() {
    rig->prompter.reset();
    window->mnu_Exclude->trigger();
    QCOMPARE(rig->prompter.texts(), QStringList{QStringLiteral("리스트에 항목이 없습니다!")});

    const QStringList entries{QStringLiteral("김철수"), QStringLiteral("홍길동"), QStringLiteral("ＡＢＣ"),
                              QStringLiteral("황 (2)"), QStringLiteral("이영희"), QStringLiteral("김철수")};
    for (const QString &entry : entries)
        window->drawList().append(entry);
    // a file in code page 949, as the program saves them; its names as typed elsewhere
    const QString winners = path(QStringLiteral("당첨자.txt"));
    writeBytes(winners, toCp949(QStringLiteral("tombolix김철수 \r\nABC\r\n박지성\r\n\r\n")).bytes);
    const QString question =
        QStringLiteral("제외 목록(3명)과 같아 보이는 항목 3개를 리스트에서 삭제하시겠습니까? (첫 항목 : "
                       "김철수)");
    rig->prompter.reset();
    rig->prompter.chooseFile(winners);
    rig->prompter.no();
    window->mnu_Exclude->trigger();
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::OpenFile);
    QCOMPARE(rig->prompter.texts().mid(1),
             (QStringList{question, QStringLiteral("제외 목록 적용을 취소했습니다.")}));
    QCOMPARE(listEntries(window->lstPick), entries);

    rig->prompter.reset();
    rig->prompter.chooseFile(winners);
    rig->prompter.yes();
    window->mnu_Exclude->trigger();
    QCOMPARE(rig->prompter.texts().mid(1),
             (QStringList{question, QStringLiteral("항목 3개를 리스트에서 삭제했습니다.")}));
    QCOMPARE(listEntries(window->lstPick),
             (QStringList{QStringLiteral("홍길동"), QStringLiteral("황 (2)"), QStringLiteral("이영희")}));
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 3개)"));
    QCOMPARE(window->drawList().entries(), listEntries(window->lstPick));

    // nothing left to remove, a file that is no list file, a cancelled dialog: nothing changes
    rig->prompter.reset();
    rig->prompter.chooseFile(winners);
    window->mnu_Exclude->trigger();
    QCOMPARE(rig->prompter.texts().mid(1),
             QStringList{QStringLiteral("제외 목록(3명)과 같아 보이는 항목이 리스트에 없습니다.")});
    rig->prompter.reset();
    load("Tombolix홍길동\r\n"); // refused by the loader too
    rig->prompter.reset();
    rig->prompter.chooseFile(path(QStringLiteral("input.txt")));
    window->mnu_Exclude->trigger();
    QCOMPARE(rig->prompter.texts().mid(1),
             QStringList{QStringLiteral("선택하신 파일이 데이터파일이 아니거나 손상되었습니다!")});
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Warning);
    rig->prompter.reset();
    rig->prompter.chooseFile(QString());
    window->mnu_Exclude->trigger();
    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(window->lstPick->count(), 3);

    // a full list, cleaned at once
    window->drawList().clear();
    for (int i = 0; i < 32767; ++i)
        window->drawList().append(QStringLiteral("참가자 ") + QString::number(i % 2 ? i : 0));
    writeBytes(winners, "tombolix\xC2\xFC\xB0\xA1\xC0\xDA 0\r\n"); // 참가자 0
    rig->prompter.reset();
    rig->prompter.chooseFile(winners);
    rig->prompter.yes();
    window->mnu_Exclude->trigger();
    QCOMPARE(rig->prompter.texts().value(2), QStringLiteral("항목 16384개를 리스트에서 삭제했습니다."));
    QCOMPARE(window->lstPick->count(), 16383);
    QCOMPARE(window->lstPick->item(0)->text(), QStringLiteral("참가자 1"));
}

QTEST_MAIN(TestListFile)
#include "test_listfile.moc"
