#include "core/Text.h"

#include <QHash>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <optional>

namespace tombolix {

namespace {

// A reference's ';' stands at most this far after its '&' ("&#x10FFFF;" and every named one
// fit): it is looked for that far only, so a text of many '&' and no ';' is read in one pass.
constexpr qsizetype maxReferenceLength = 12;

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Tags that end a line of text where they stand.
bool breaksLine(const QString &tag) {
    static const QStringList names{QStringLiteral("br"), QStringLiteral("p"), QStringLiteral("div"),
                                   QStringLiteral("li")};
    return names.contains(tag, Qt::CaseInsensitive);
}

// The character a reference names, from just after its '&' up to its ';'.
std::optional<QString> referencedCharacter(QStringView name) {
    if (name.startsWith(u'#')) {
        const bool hex = name.size() > 1 && (name.at(1) == u'x' || name.at(1) == u'X');
        bool ok = false;
        const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (!ok)
            return std::nullopt;
        const bool valid = code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        const char32_t character = valid ? char32_t(code) : char32_t(QChar::ReplacementCharacter);
        return QString::fromUcs4(&character, 1);
    }
    static const QHash<QString, QString> named{
        {QStringLiteral("amp"), QStringLiteral("&")},  {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},   {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")}, {QStringLiteral("nbsp"), QStringLiteral("\u00A0")}};
    const auto it = named.constFind(name.toString());
    if (it == named.cend())
        return std::nullopt;
    return *it;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isIdentifierPart(QChar c) {
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'_' || c == u'$';
}

// Whether the text just before `at` ends with a declaring keyword and a blank.
bool declaredAt(QStringView page, qsizetype at) {
    qsizetype i = at;
    if (i == 0 || !isBlank(page.at(i - 1)))
        return false;
    while (i > 0 && isBlank(page.at(i - 1)))
        --i;
    for (const QStringView keyword : {u"var", u"let", u"const"}) {
        const qsizetype start = i - keyword.size();
        if (start >= 0 && page.mid(start, keyword.size()) == keyword &&
            (start == 0 || !isIdentifierPart(page.at(start - 1))))
            return true;
    }
    return false;
}

// The value of a declaration from just after its name: nullopt when the name goes on (another,
// longer name) or something other than a value follows.
std::optional<QString> valueAfterName(QStringView rest) {
    // Values are short: a page's literal of more than this is not one of the values read here.
    constexpr qsizetype maxValue = 256;
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < rest.size() && isBlank(rest.at(i)))
            ++i;
    };
    skipBlanks();
    if (i >= rest.size() || rest.at(i) == u';' || rest.at(i) == u',')
        return QString();
    if (rest.at(i) != u'=' || (i + 1 < rest.size() && rest.at(i + 1) == u'='))
        return std::nullopt;
    ++i;
    skipBlanks();
    if (i < rest.size() && (rest.at(i) == u'"' || rest.at(i) == u'\'' || rest.at(i) == u'`')) {
        const qsizetype close = rest.mid(i + 1, maxValue).indexOf(rest.at(i));
        return close < 0 ? std::nullopt : std::optional(rest.mid(i + 1, close).toString());
    }
    const qsizetype start = i;
    while (i < rest.size() && i - start < maxValue &&
           (isIdentifierPart(rest.at(i)) || rest.at(i) == u'.' || rest.at(i) == u'-' || rest.at(i) == u'+'))
        ++i;
    return rest.mid(start, i - start).toString();
}

} // namespace

std::optional<QString> declaredValue(const QString &page, const QString &name) {
    const QStringView view(page);
    for (qsizetype at = view.indexOf(name); at >= 0; at = view.indexOf(name, at + 1)) {
        const qsizetype after = at + name.size();
        if (!declaredAt(view, at) || (after < view.size() && isIdentifierPart(view.at(after))))
            continue;
        if (std::optional<QString> value = valueAfterName(view.mid(after)))
            return value;
    }
    return std::nullopt;
}

bool isLowerHex(const QString &text, qsizetype digits) {
    return text.size() == digits && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
           });
}

QString trimmedOf(const QString &text, bool (*isBlank)(QChar)) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString trimBlanks(const QString &text) {
    return trimmedOf(text, [](QChar c) { return c == u' '; });
}

QString markupText(const QString &markup) {
    QString text;
    text.reserve(markup.size());
    const qsizetype size = markup.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = markup.at(i);
        if (c == u'<' && i + 1 < size &&
            (isAsciiLetter(markup.at(i + 1)) || markup.at(i + 1) == u'/' || markup.at(i + 1) == u'!')) {
            // a tag: up to its '>', quoted values and all
            qsizetype j = i + 1;
            QChar quote;
            while (j < size && (quote != QChar() || markup.at(j) != u'>')) {
                if (quote == QChar() && (markup.at(j) == u'"' || markup.at(j) == u'\''))
                    quote = markup.at(j);
                else if (markup.at(j) == quote)
                    quote = QChar();
                ++j;
            }
            qsizetype nameStart = i + 1;
            if (nameStart < size && markup.at(nameStart) == u'/')
                ++nameStart;
            qsizetype nameEnd = nameStart;
            while (nameEnd < j && (isAsciiLetter(markup.at(nameEnd)) || markup.at(nameEnd).isDigit()))
                ++nameEnd;
            if (breaksLine(markup.mid(nameStart, nameEnd - nameStart)))
                text += u'\n';
            i = j + 1;
            continue;
        }
        if (c == u'&') {
            const qsizetype end = QStringView(markup).mid(i + 1, maxReferenceLength).indexOf(u';') + i + 1;
            if (end > i + 1) {
                if (const std::optional<QString> character =
                        referencedCharacter(QStringView(markup).mid(i + 1, end - i - 1))) {
                    text += *character;
                    i = end + 1;
                    continue;
                }
            }
        }
        text += c;
        ++i;
    }
    return trimmedOf(text, isBlank);
}

} // namespace tombolix
