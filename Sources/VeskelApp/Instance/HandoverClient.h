#pragma once

#include <QString>

#include <chrono>

namespace veskel {

// A later start's end of a handover.
namespace HandoverClient {

// Hands `package` (an absolute path, or empty) to the Veskel listening at `address`; true once
// it has acknowledged. False when nothing listens there or no acknowledgement came within
// `timeout`. Waits in an event loop of its own, so a server in the same thread still answers.
bool handOver(const QString &address, const QString &package, std::chrono::milliseconds timeout);

} // namespace HandoverClient

} // namespace veskel
