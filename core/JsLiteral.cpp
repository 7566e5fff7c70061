#include "core/JsLiteral.h"

#include <QHash>
#include <QLocale>

#include <cmath>

namespace tombolix {

namespace {

// Deeper nesting than this is no version answer; it would only exhaust the stack.
constexpr int maxDepth = 64;

class Parser {
public:
    explicit Parser(const QString &source)
        : m_s(source) {}

    std::optional<JsValue> parseDocument() {
        std::optional<JsValue> value = parseValue(0);
        if (!value)
            return std::nullopt;
        skipSpace();
        if (peek() == u';') {
            ++m_pos;
            skipSpace();
        }
        if (m_pos != m_s.size())
            return std::nullopt;
        return value;
    }

private:
    QChar peek(qsizetype ahead = 0) const {
        return m_pos + ahead < m_s.size() ? m_s.at(m_pos + ahead) : QChar();
    }

    void skipSpace() {
        while (m_pos < m_s.size()) {
            const QChar c = m_s.at(m_pos);
            if (c.isSpace() || c == QChar(0xFEFF))
                ++m_pos;
            else
                break;
        }
    }

    static bool isIdentifierStart(QChar c) { return c.isLetter() || c == u'_' || c == u'$'; }
    static bool isIdentifierPart(QChar c) { return isIdentifierStart(c) || c.isDigit(); }

    QString identifier() {
        const qsizetype start = m_pos;
        if (!isIdentifierStart(peek()))
            return {};
        while (isIdentifierPart(peek()))
            ++m_pos;
        return m_s.mid(start, m_pos - start);
    }

    std::optional<JsValue> parseValue(int depth) {
        if (depth > maxDepth)
            return std::nullopt;
        skipSpace();
        const QChar c = peek();
        if (c == u'(') {
            ++m_pos;
            std::optional<JsValue> inner = parseValue(depth + 1);
            skipSpace();
            if (!inner || peek() != u')')
                return std::nullopt;
            ++m_pos;
            return inner;
        }
        if (c == u'{')
            return parseObject(depth);
        if (c == u'[')
            return parseArray(depth);
        if (c == u'"' || c == u'\'') {
            std::optional<QString> text = parseString();
            if (!text)
                return std::nullopt;
            JsValue value;
            value.type = JsValue::Type::String;
            value.string = *text;
            return value;
        }
        if (c == u'+' || c == u'-' || c == u'.' || c.isDigit())
            return parseSignedNumber();
        const QString word = identifier();
        JsValue value;
        if (word == QStringLiteral("true") || word == QStringLiteral("false")) {
            value.type = JsValue::Type::Boolean;
            value.boolean = word == QStringLiteral("true");
        } else if (word == QStringLiteral("null")) {
            value.type = JsValue::Type::Null;
        } else if (word == QStringLiteral("undefined")) {
            value.type = JsValue::Type::Undefined;
        } else {
            return std::nullopt; // any other name, call or expression
        }
        // a literal followed by anything that makes it an expression is refused by the caller
        return value;
    }

    std::optional<JsValue> parseObject(int depth) {
        ++m_pos; // {
        JsValue object;
        object.type = JsValue::Type::Object;
        QHash<QString, qsizetype> positionOf; // a later key replaces an earlier one, in its place
        for (;;) {
            skipSpace();
            if (peek() == u'}') {
                ++m_pos;
                return object;
            }
            std::optional<QString> key = parseKey();
            skipSpace();
            if (!key || peek() != u':')
                return std::nullopt;
            ++m_pos;
            std::optional<JsValue> value = parseValue(depth + 1);
            if (!value)
                return std::nullopt;
            const auto existing = positionOf.constFind(*key);
            if (existing != positionOf.cend()) {
                object.properties[*existing].second = std::move(*value);
            } else {
                positionOf.insert(*key, object.properties.size());
                object.properties.append({*key, std::move(*value)});
            }
            skipSpace();
            if (peek() == u',') {
                ++m_pos;
                continue;
            }
            if (peek() != u'}')
                return std::nullopt;
        }
    }

    std::optional<QString> parseKey() {
        const QChar c = peek();
        if (c == u'"' || c == u'\'')
            return parseString();
        if (c.isDigit() || c == u'.') {
            std::optional<double> number = parseNumber();
            if (!number)
                return std::nullopt;
            return jsNumberToString(*number);
        }
        const QString word = identifier();
        if (word.isEmpty())
            return std::nullopt;
        return word;
    }

    std::optional<JsValue> parseArray(int depth) {
        ++m_pos; // [
        JsValue array;
        array.type = JsValue::Type::Array;
        for (;;) {
            skipSpace();
            if (peek() == u']') {
                ++m_pos;
                return array;
            }
            std::optional<JsValue> value = parseValue(depth + 1);
            if (!value)
                return std::nullopt;
            array.elements.append(*value);
            skipSpace();
            if (peek() == u',') {
                ++m_pos;
                continue;
            }
            if (peek() != u']')
                return std::nullopt;
        }
    }

    std::optional<JsValue> parseSignedNumber() {
        double sign = 1;
        if (peek() == u'+' || peek() == u'-') {
            sign = peek() == u'-' ? -1 : 1;
            ++m_pos;
            skipSpace();
        }
        std::optional<double> number = parseNumber();
        if (!number)
            return std::nullopt;
        JsValue value;
        value.type = JsValue::Type::Number;
        value.number = sign * *number;
        return value;
    }

    std::optional<double> parseNumber() {
        const qsizetype start = m_pos;
        if (peek() == u'0' && (peek(1) == u'x' || peek(1) == u'X')) {
            m_pos += 2;
            const qsizetype digits = m_pos;
            while (isHexDigit(peek()))
                ++m_pos;
            if (m_pos == digits || isIdentifierPart(peek()))
                return std::nullopt;
            double value = 0;
            for (qsizetype i = digits; i < m_pos; ++i)
                value = value * 16 + hexValue(m_s.at(i));
            return value;
        }
        qsizetype digits = 0;
        while (peek().isDigit() && peek().unicode() < 128) {
            ++m_pos;
            ++digits;
        }
        if (peek() == u'.') {
            ++m_pos;
            while (peek().isDigit() && peek().unicode() < 128) {
                ++m_pos;
                ++digits;
            }
        }
        if (digits == 0)
            return std::nullopt;
        if (peek() == u'e' || peek() == u'E') {
            ++m_pos;
            if (peek() == u'+' || peek() == u'-')
                ++m_pos;
            qsizetype exponentDigits = 0;
            while (peek().isDigit() && peek().unicode() < 128) {
                ++m_pos;
                ++exponentDigits;
            }
            if (exponentDigits == 0)
                return std::nullopt;
        }
        if (isIdentifierPart(peek()))
            return std::nullopt;
        bool ok = false;
        QString text = m_s.mid(start, m_pos - start);
        if (text.endsWith(u'.'))
            text.chop(1);
        const double value = QLocale::c().toDouble(text, &ok);
        if (!ok && !std::isinf(value))
            return std::nullopt;
        return value;
    }

    static bool isHexDigit(QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    }

    static int hexValue(QChar c) {
        if (c >= u'0' && c <= u'9')
            return c.unicode() - u'0';
        if (c >= u'a' && c <= u'f')
            return c.unicode() - u'a' + 10;
        return c.unicode() - u'A' + 10;
    }

    std::optional<uint> hexRun(int count) {
        uint value = 0;
        for (int i = 0; i < count; ++i) {
            if (!isHexDigit(peek()))
                return std::nullopt;
            value = value * 16 + uint(hexValue(peek()));
            ++m_pos;
        }
        return value;
    }

    std::optional<QString> parseString() {
        const QChar quote = peek();
        ++m_pos;
        QString text;
        for (;;) {
            if (m_pos >= m_s.size())
                return std::nullopt;
            const QChar c = m_s.at(m_pos++);
            if (c == quote)
                return text;
            if (c == u'\n' || c == u'\r')
                return std::nullopt;
            if (c != u'\\') {
                text += c;
                continue;
            }
            if (m_pos >= m_s.size())
                return std::nullopt;
            const QChar e = m_s.at(m_pos++);
            switch (e.unicode()) {
            case 'n':
                text += u'\n';
                break;
            case 't':
                text += u'\t';
                break;
            case 'r':
                text += u'\r';
                break;
            case 'b':
                text += u'\b';
                break;
            case 'f':
                text += u'\f';
                break;
            case 'v':
                text += u'\v';
                break;
            case '0':
                if (peek().isDigit())
                    return std::nullopt; // octal escapes are not literals we take
                text += QChar(0);
                break;
            case '\r':
                if (peek() == u'\n')
                    ++m_pos;
                break; // a line continuation
            case '\n':
                break;
            case 'x': {
                const std::optional<uint> code = hexRun(2);
                if (!code)
                    return std::nullopt;
                text += QChar(char16_t(*code));
                break;
            }
            case 'u': {
                std::optional<uint> code;
                if (peek() == u'{') {
                    ++m_pos;
                    uint value = 0;
                    int count = 0;
                    while (isHexDigit(peek()) && count < 7) {
                        value = value * 16 + uint(hexValue(peek()));
                        ++m_pos;
                        ++count;
                    }
                    if (count == 0 || peek() != u'}' || value > 0x10FFFF)
                        return std::nullopt;
                    ++m_pos;
                    code = value;
                } else {
                    code = hexRun(4);
                }
                if (!code)
                    return std::nullopt;
                const char32_t codePoint = *code;
                text += QString::fromUcs4(&codePoint, 1);
                break;
            }
            default:
                text += e;
            }
        }
    }

    const QString &m_s;
    qsizetype m_pos = 0;
};

} // namespace

JsValue JsValue::property(const QString &name) const {
    if (type == Type::Object) {
        for (const auto &[key, value] : properties) {
            if (key == name)
                return value;
        }
    }
    return {};
}

std::optional<JsValue> evaluateJsLiteral(const QString &source) {
    return Parser(source).parseDocument();
}

QString jsNumberToString(double number) {
    if (std::isnan(number))
        return QStringLiteral("NaN");
    if (std::isinf(number))
        return number > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (number == 0)
        return QStringLiteral("0");
    if (number < 0)
        return QStringLiteral("-") + jsNumberToString(-number);
    // The shortest digits that read back as the same number, and where the point goes.
    const QString e = QString::number(number, 'e', QLocale::FloatingPointShortest); // d.ddde+XX
    const qsizetype at = e.indexOf(u'e');
    QString digits = e.left(at);
    digits.remove(u'.');
    const int k = int(digits.size());
    const int n = e.mid(at + 1).toInt() + 1; // the value is 0.digits x 10^n
    if (k <= n && n <= 21)
        return digits + QString(n - k, u'0');
    if (0 < n && n <= 21)
        return digits.left(n) + u'.' + digits.mid(n);
    if (-6 < n && n <= 0)
        return QStringLiteral("0.") + QString(-n, u'0') + digits;
    const int exponent = n - 1;
    const QString sign = exponent < 0 ? QStringLiteral("-") : QStringLiteral("+");
    const QString mantissa = k == 1 ? digits : digits.left(1) + u'.' + digits.mid(1);
    return mantissa + u'e' + sign + QString::number(std::abs(exponent));
}

QString jsToString(const JsValue &value) {
    switch (value.type) {
    case JsValue::Type::Undefined:
        return QStringLiteral("undefined");
    case JsValue::Type::Null:
        return QStringLiteral("null");
    case JsValue::Type::Boolean:
        return value.boolean ? QStringLiteral("true") : QStringLiteral("false");
    case JsValue::Type::Number:
        return jsNumberToString(value.number);
    case JsValue::Type::String:
        return value.string;
    case JsValue::Type::Array: {
        QStringList parts;
        for (const JsValue &element : value.elements) {
            const bool empty =
                element.type == JsValue::Type::Undefined || element.type == JsValue::Type::Null;
            parts.append(empty ? QString() : jsToString(element));
        }
        return parts.join(u',');
    }
    case JsValue::Type::Object:
        return QStringLiteral("[object Object]");
    }
    return {};
}

} // namespace tombolix
