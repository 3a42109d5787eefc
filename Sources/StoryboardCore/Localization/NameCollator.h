#pragma once

#include "StoryboardCore/Localization/ResolvedLanguage.h"

#include <QCollator>
#include <QLocale>
#include <QString>

namespace veskel {

// The order people read project and folder names in: the collation of a language (ICU through
// QCollator), case-insensitive, runs of digits compared by value ("Video 2" before "Video 10",
// "Ёлка" between "Елена" and "Жук"). Names the collation calls equal ("video" and "Video",
// "2" and "02") are ordered by code points, so the order is total and a sort is repeatable.
class NameCollator
{
public:
    explicit NameCollator(const QLocale &locale);

    // The collation of the interface language in use, whatever the process's locale: under a
    // C or POSIX locale QCollator compares code units and ignores its numeric mode.
    static NameCollator forInterfaceLanguage();
    static QLocale collationLocale(ResolvedLanguage language);

    // Negative, zero or positive like strcmp; zero only for identical texts.
    int compare(const QString &a, const QString &b) const;
    bool operator()(const QString &a, const QString &b) const { return compare(a, b) < 0; }

private:
    QCollator m_collator;
};

} // namespace veskel
