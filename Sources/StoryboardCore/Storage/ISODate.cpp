#include "StoryboardCore/Storage/ISODate.h"

#include <QTimeZone>

namespace veskel {

QString isoDateString(const QDateTime &date)
{
    const QDateTime utc = date.toUTC();
    // Whole seconds: a fraction is dropped, never rounded up into the next second.
    const QDateTime whole = utc.addMSecs(-utc.time().msec());
    return whole.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + u'Z';
}

std::optional<QDateTime> parseISODate(const QString &text)
{
    // yyyy-MM-ddTHH:mm:ssZ, ASCII digits only.
    static constexpr char pattern[] = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != qsizetype(sizeof(pattern) - 1))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (pattern[i] == 'd' ? (c < u'0' || c > u'9') : c != char16_t(pattern[i]))
            return std::nullopt;
    }
    const auto number = [&](int from, int length) { return text.mid(from, length).toInt(); };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (!date.isValid() || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return QDateTime(date, QTime(hour, minute, second), QTimeZone::utc());
}

QDateTime currentFileTime()
{
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
}

} // namespace veskel
