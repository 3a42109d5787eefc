#pragma once

#include "ExportKit/ExportResult.h"

#include <QString>

#include <compare>

namespace veskel {

// Which screen the export sheet shows. Cases in their order: success (with what was written),
// failure (with the message shown), review, exporting.
struct ExportPhase
{
    enum class Kind { success, failure, review, exporting };

    Kind kind = Kind::review;
    // success only.
    ExportResult result;
    // failure only.
    QString message;

    static ExportPhase review() { return {}; }
    static ExportPhase exporting() { return {Kind::exporting, {}, {}}; }
    static ExportPhase success(ExportResult result)
    {
        return {Kind::success, std::move(result), {}};
    }
    static ExportPhase failure(QString message) { return {Kind::failure, {}, std::move(message)}; }

    bool operator==(const ExportPhase &) const = default;
    // By case first, then by message; results are not ordered among themselves.
    std::weak_ordering operator<=>(const ExportPhase &other) const
    {
        if (const auto byKind = kind <=> other.kind; byKind != 0)
            return byKind;
        return QString::compare(message, other.message) <=> 0;
    }
};

} // namespace veskel
