#include "StoryboardCore/Storage/JSONReader.h"

#include "StoryboardCore/Storage/ISODate.h"

#include <cmath>
#include <limits>

namespace veskel {

JSONReader::JSONReader(const QJsonObject &object,
                       QString path,
                       QDateTime now,
                       std::optional<ProjectCodecError> *error)
    : m_object(object)
    , m_path(std::move(path))
    , m_now(std::move(now))
    , m_error(error)
{
}

QString JSONReader::childPath(const QString &key) const
{
    return m_path.isEmpty() ? key : m_path + u'.' + key;
}

void JSONReader::fail(ProjectCodecError::Kind kind, const QString &key, const QString &detail)
{
    if (!failed())
        *m_error = ProjectCodecError{kind, childPath(key), detail};
}

void JSONReader::note(const QString &key)
{
    if (m_known.contains(key))
        return;
    m_known.append(key);
    if (m_object.contains(key))
        ++m_knownPresent;
}

QJsonObject JSONReader::unknownKeys() const
{
    QJsonObject unknown;
    if (m_knownPresent == m_object.size())
        return unknown;
    for (auto it = m_object.constBegin(); it != m_object.constEnd(); ++it) {
        if (!m_known.contains(it.key()))
            unknown.insert(it.key(), it.value());
    }
    return unknown;
}

QJsonObject withUnknownKeys(const QJsonObject &unknownKeys, const QJsonObject &known)
{
    if (unknownKeys.isEmpty()) // as nearly every record is
        return known;
    QJsonObject merged = unknownKeys;
    for (auto it = known.constBegin(); it != known.constEnd(); ++it)
        merged.insert(it.key(), it.value());
    return merged;
}

std::optional<QJsonValue> JSONReader::required(const QString &key)
{
    note(key);
    if (failed())
        return std::nullopt;
    const auto it = m_object.constFind(key);
    if (it == m_object.constEnd()) {
        fail(ProjectCodecError::Kind::missingKey, key, {});
        return std::nullopt;
    }
    return it.value();
}

std::optional<QJsonObject> JSONReader::objectValue(const QString &key)
{
    std::optional<QJsonValue> value = required(key);
    if (!value)
        return std::nullopt;
    if (!value->isObject()) {
        fail(ProjectCodecError::Kind::wrongType, key, QStringLiteral("expected an object"));
        return std::nullopt;
    }
    return value->toObject();
}

QString JSONReader::string(const QString &key)
{
    std::optional<QJsonValue> value = required(key);
    if (!value)
        return {};
    if (!value->isString()) {
        fail(ProjectCodecError::Kind::wrongType, key, QStringLiteral("expected a string"));
        return {};
    }
    return value->toString();
}

QString JSONReader::string(const QString &key, const QString &fallback)
{
    return contains(key) ? string(key) : fallback;
}

std::optional<QString> JSONReader::optionalString(const QString &key)
{
    if (!contains(key) || m_object.value(key).isNull())
        return std::nullopt;
    return string(key);
}

int JSONReader::integer(const QString &key)
{
    std::optional<QJsonValue> value = required(key);
    if (!value)
        return 0;
    const double number = value->isDouble() ? value->toDouble() : std::nan("");
    if (!value->isDouble() || !std::isfinite(number) || std::trunc(number) != number
        || number < double(std::numeric_limits<int>::min())
        || number > double(std::numeric_limits<int>::max())) {
        fail(ProjectCodecError::Kind::wrongType, key, QStringLiteral("expected an integer"));
        return 0;
    }
    return int(number);
}

double JSONReader::number(const QString &key)
{
    std::optional<QJsonValue> value = required(key);
    if (!value)
        return 0;
    if (!value->isDouble()) {
        fail(ProjectCodecError::Kind::wrongType, key, QStringLiteral("expected a number"));
        return 0;
    }
    return value->toDouble();
}

bool JSONReader::boolean(const QString &key)
{
    std::optional<QJsonValue> value = required(key);
    if (!value)
        return false;
    if (!value->isBool()) {
        fail(ProjectCodecError::Kind::wrongType, key, QStringLiteral("expected a boolean"));
        return false;
    }
    return value->toBool();
}

bool JSONReader::boolean(const QString &key, bool fallback)
{
    return contains(key) ? boolean(key) : fallback;
}

QDateTime JSONReader::date(const QString &key)
{
    const QString text = string(key);
    if (failed())
        return {};
    if (std::optional<QDateTime> date = parseISODate(text))
        return *date;
    fail(ProjectCodecError::Kind::invalidDate, key, text);
    return {};
}

QDateTime JSONReader::date(const QString &key, const QDateTime &fallback)
{
    return contains(key) ? date(key) : fallback;
}

QList<QString> JSONReader::stringList(const QString &key, const QList<QString> &fallback)
{
    if (!contains(key))
        return fallback;
    std::optional<QJsonValue> value = required(key);
    if (!value)
        return fallback;
    if (!value->isArray()) {
        fail(ProjectCodecError::Kind::wrongType, key, QStringLiteral("expected an array"));
        return fallback;
    }
    QList<QString> result;
    for (const QJsonValue &item : value->toArray()) {
        if (!item.isString()) {
            fail(ProjectCodecError::Kind::wrongType, key, QStringLiteral("expected strings"));
            return fallback;
        }
        result.append(item.toString());
    }
    return result;
}

} // namespace veskel
