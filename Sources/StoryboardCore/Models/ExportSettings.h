#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <QJsonObject>

#include <array>

namespace veskel {

class JSONReader;

// Export options stored with the project. The export itself reads only
// `includeUploadedImagesInCards` and `includeAnimatic`; the rest are kept as found.
struct ExportSettings
{
    enum class ExportTarget { finalCutPro12 };
    enum class ExportMode { fcpxmlFolder, fcpxmldBundle, zip };

    ExportTarget target = ExportTarget::finalCutPro12;
    QString fcpxmlVersion = QStringLiteral("1.14");
    ExportMode exportMode = ExportMode::fcpxmlFolder;
    bool includeJsonBackup = true;
    bool includeMarkdownShotList = true;
    bool includeCsvTaskList = true;
    bool renderCardsAsPng = true;
    bool includeUploadedImagesInCards = true;
    // The animatic video and the scratch narration. Written only when on, so the file of a
    // project that never turned it on stays as it was.
    bool includeAnimatic = false;
    // Members written by a later version, kept as read and written back.
    QJsonObject unknownKeys = {};

    static ExportSettings defaultSettings() { return ExportSettings{}; }

    bool operator==(const ExportSettings &) const = default;

    QJsonObject toJSON() const;
    static ExportSettings fromJSON(JSONReader &reader);
};

template<>
struct EnumTraits<ExportSettings::ExportTarget>
{
    static constexpr std::array allCases{ExportSettings::ExportTarget::finalCutPro12};
};

template<>
struct EnumTraits<ExportSettings::ExportMode>
{
    using M = ExportSettings::ExportMode;
    static constexpr std::array allCases{M::fcpxmlFolder, M::fcpxmldBundle, M::zip};
};

QString rawValue(ExportSettings::ExportTarget target);
QString rawValue(ExportSettings::ExportMode mode);

} // namespace veskel
