#pragma once

#include "core/DrawFiles.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Reading the public draw's files, shared by the announcement's reader and the result's
// verification.
namespace tombolix::publicdraw::files {

QString atLine(int line, const QString &what);
// What is wrong with a list as a file or a post gives it, and on which line (`lines`: the line
// of each entry): every entry canonical, none reading the same as another, in UTF-8 order.
struct LineProblem {
    int line = 0;
    QString what;
};
std::optional<LineProblem> listProblem(const QStringList &list, const QList<int> &lines, Rule rule);
// The lines a result file gives the draw, each without its "\n": the winners
// ("winner.1=<ticket>\t<entry>"), with prizes the winners each rank takes
// ("rank.2=2-4\t커피"), then the reserves ("reserve.1=…").
QStringList drawnLines(const Terms &terms, const Tickets &tickets, const QStringList &list);

struct FileLine {
    int number = 0; // 1-based
    QString key;
    QString value;
};
struct SplitFile {
    Rule rule = currentRule; // the one its first line names
    QList<FileLine> header;
    QStringList list;
    int firstListLine = 0;
};
// The file cut into its header and its list, or what is wrong.
Expected<SplitFile> splitFile(QString text);
// parseAnnouncement of a file already cut up (`checked` as for readAnnounced).
Expected<Announcement> readAnnouncement(const SplitFile &file, const Announcement *checked = nullptr);

// Reads the header's lines in the order given; the first problem found is kept, naming its line.
class HeaderReader {
public:
    HeaderReader(const SplitFile &file, QString *problem);

    // The value of the next line, which must carry `key`.
    std::optional<QString> next(const QString &key);
    // The same, when the next line carries `key`; nullopt, and nothing read, otherwise.
    std::optional<QString> nextIf(const QString &key);
    std::optional<qint64> number(const QString &key);
    std::optional<QString> hex(const QString &key, int digits);
    // The line last read, and the one to be read next.
    int lineNumber() const;
    int nextLineNumber() const;
    bool failed() const { return !m_problem->isEmpty(); }
    bool atEnd() const { return m_at >= m_file.header.size(); }
    const SplitFile &file() const { return m_file; }
    template <typename T = QString> std::optional<T> fail(int line, const QString &what) {
        if (!failed())
            *m_problem = atLine(line, what);
        return std::nullopt;
    }

private:
    const SplitFile &m_file;
    QString *m_problem;
    qsizetype m_at = 0;
};

// The announced part of either file: the terms in the seed's order (in a result file the
// randomness, read by `randomness`, between the round and the label; then the prizes), the
// announcement code, the round's time, and the list. A list equal to `checked`'s, which the same
// rule found sound already (a result's, verified), is not checked again: the same list, the same
// answer.
std::optional<Announcement> readAnnounced(const SplitFile &file, HeaderReader &header,
                                          const std::function<void()> &randomness,
                                          const Announcement *checked = nullptr);

} // namespace tombolix::publicdraw::files
