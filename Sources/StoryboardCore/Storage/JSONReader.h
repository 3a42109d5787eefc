#pragma once

#include "StoryboardCore/Models/RawValue.h"
#include "StoryboardCore/Storage/ProjectCodecError.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QVarLengthArray>

#include <functional>
#include <optional>

namespace veskel {

// Typed reading of one JSON object. The first failure is kept in a shared slot and every
// later read returns a neutral value, so a record reads all its keys in one straight run and
// the caller checks `failed()` once; a failed read never hands out a partial record.
// Every key asked about counts as known; the rest, `unknownKeys()`, is what a later version
// wrote, kept by the record and written back with `withUnknownKeys`.
class JSONReader
{
public:
    JSONReader(const QJsonObject &object, QString path, QDateTime now,
               std::optional<ProjectCodecError> *error);

    bool failed() const { return m_error->has_value(); }
    // The time of reading: the default of dates a document leaves out.
    const QDateTime &now() const { return m_now; }

    bool contains(const QString &key)
    {
        note(key);
        return m_object.contains(key);
    }
    // The members of the object that no read so far asked about.
    QJsonObject unknownKeys() const;

    QString string(const QString &key);
    QString string(const QString &key, const QString &fallback);
    std::optional<QString> optionalString(const QString &key);
    int integer(const QString &key);
    double number(const QString &key);
    bool boolean(const QString &key);
    bool boolean(const QString &key, bool fallback);
    QDateTime date(const QString &key);
    QDateTime date(const QString &key, const QDateTime &fallback);
    QList<QString> stringList(const QString &key, const QList<QString> &fallback);

    template<typename E>
    E enumeration(const QString &key)
    {
        return toEnum<E>(key, string(key), E{});
    }

    template<typename E>
    E enumeration(const QString &key, E fallback)
    {
        if (!contains(key))
            return fallback;
        return toEnum<E>(key, string(key), fallback);
    }

    // A nested object, read by `read`; `fallback` when the key is absent and optional.
    template<typename T>
    T object(const QString &key, const std::function<T(JSONReader &)> &read,
             std::optional<T> fallback = std::nullopt)
    {
        if (!contains(key) && fallback)
            return *fallback;
        std::optional<QJsonObject> child = objectValue(key);
        if (!child)
            return fallback.value_or(T{});
        JSONReader reader(*child, childPath(key), m_now, m_error);
        return read(reader);
    }

    template<typename T>
    std::optional<T> optionalObject(const QString &key, const std::function<T(JSONReader &)> &read)
    {
        if (!contains(key) || m_object.value(key).isNull())
            return std::nullopt;
        return object<T>(key, read);
    }

    // A list of objects; `required` decides whether a missing key fails or gives an empty list.
    template<typename T>
    QList<T> list(const QString &key, bool required, const std::function<T(JSONReader &)> &read)
    {
        QList<T> result;
        if (!contains(key)) {
            if (required)
                fail(ProjectCodecError::Kind::missingKey, key, {});
            return result;
        }
        const QJsonValue value = m_object.value(key);
        if (!value.isArray()) {
            fail(ProjectCodecError::Kind::wrongType, key, QStringLiteral("expected an array"));
            return result;
        }
        const QJsonArray array = value.toArray();
        result.reserve(array.size());
        for (qsizetype i = 0; i < array.size() && !failed(); ++i) {
            const QString path = childPath(key) + u'[' + QString::number(i) + u']';
            if (!array.at(i).isObject()) {
                fail(ProjectCodecError::Kind::wrongType, key + u'[' + QString::number(i) + u']',
                     QStringLiteral("expected an object"));
                break;
            }
            JSONReader reader(array.at(i).toObject(), path, m_now, m_error);
            result.append(read(reader));
        }
        return result;
    }

private:
    template<typename E>
    E toEnum(const QString &key, const QString &raw, E fallback)
    {
        if (failed())
            return fallback;
        if (std::optional<E> value = fromRawValue<E>(raw))
            return *value;
        fail(ProjectCodecError::Kind::unknownRawValue, key, raw);
        return fallback;
    }

    std::optional<QJsonValue> required(const QString &key);
    std::optional<QJsonObject> objectValue(const QString &key);
    QString childPath(const QString &key) const;
    void fail(ProjectCodecError::Kind kind, const QString &key, const QString &detail);
    void note(const QString &key);

    QJsonObject m_object;
    QString m_path;
    QDateTime m_now;
    std::optional<ProjectCodecError> *m_error;
    // A record asks about a dozen keys: a short list beats hashing, and counting the ones
    // present spares the walk over the object when nothing is unknown, the usual case.
    QVarLengthArray<QString, 16> m_known;
    qsizetype m_knownPresent = 0;
};

// The record's own members over the unknown ones it was read with.
QJsonObject withUnknownKeys(const QJsonObject &unknownKeys, const QJsonObject &known);

} // namespace veskel
