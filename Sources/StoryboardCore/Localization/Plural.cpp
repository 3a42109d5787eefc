#include "StoryboardCore/Localization/Plural.h"

#include "StoryboardCore/Localization/L10nRuntime.h"

namespace veskel::Plural {

namespace {

// The Russian noun ending for a count: "" (сцен), "а" (сцена) or "ы" (сцены).
QStringView russianEnding(qint64 count)
{
    // Unsigned, so the remainders of a negative count follow its magnitude without overflow.
    const quint64 magnitude = count < 0 ? 0 - quint64(count) : quint64(count);
    const quint64 lastTwo = magnitude % 100;
    const quint64 last = magnitude % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return {};
    if (last == 1)
        return u"а";
    if (last >= 2 && last <= 4)
        return u"ы";
    return {};
}

} // namespace

QString scenes(qint64 count)
{
    return scenes(count, L10nRuntime::lang());
}

QString scenes(qint64 count, ResolvedLanguage language)
{
    const QString number = QString::number(count);
    if (language == ResolvedLanguage::english)
        return number + (count == 1 ? QStringLiteral(" scene") : QStringLiteral(" scenes"));
    return number + QStringLiteral(" сцен") + russianEnding(count).toString();
}

} // namespace veskel::Plural
