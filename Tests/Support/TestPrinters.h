#pragma once

// Readable gtest output for Qt strings; force-included into every test source.
#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
