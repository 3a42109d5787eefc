#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace veskel {

// What a later start says to the running Veskel: one line holding the absolute path of the
// package to open, percent-encoded (a path may hold a line feed), or an empty line when the
// window only has to come to the front. The running one answers with the acknowledgement once
// it has taken the request; only then does the later start exit.
namespace HandoverMessage {

inline constexpr QByteArrayView acknowledgement{"ok\n"};
// A longer line is no request; the connection is dropped.
inline constexpr qsizetype maximumLength = 64 * 1024;

QByteArray request(const QString &package);

// The package a request line names (empty for "come to the front"); nullopt when the line is not
// a whole request or names a relative path, which would mean another folder to the receiver.
std::optional<QString> package(const QByteArray &line);

} // namespace HandoverMessage

} // namespace veskel
