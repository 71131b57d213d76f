#include "TextToInt.h"

namespace markwell {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

std::optional<qint32> readHex(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (QChar c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + quint64(d);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return qint32(quint32(value));
}

std::optional<qint32> readDecimal(QStringView digits, bool negative)
{
    if (digits.isEmpty())
        return std::nullopt;
    const qint64 limit = negative ? 2147483648LL : 2147483647LL;
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return qint32(negative ? -value : value);
}

} // namespace

std::optional<qint32> textToInt(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    const QStringView rest = text.mid(i);

    if (rest.startsWith(u'$') || rest.startsWith(u'x') || rest.startsWith(u'X'))
        return readHex(rest.mid(1));
    if (rest.startsWith(u"0x") || rest.startsWith(u"0X"))
        return readHex(rest.mid(2));
    if (rest.startsWith(u'+'))
        return readDecimal(rest.mid(1), false);
    if (rest.startsWith(u'-'))
        return readDecimal(rest.mid(1), true);
    return readDecimal(rest, false);
}

} // namespace markwell
