#include "StoryboardCore/Models/ExportSettings.h"

#include "StoryboardCore/Storage/JSONReader.h"

namespace veskel {

QString rawValue(ExportSettings::ExportTarget)
{
    return QStringLiteral("Final Cut Pro 12");
}

QString rawValue(ExportSettings::ExportMode mode)
{
    switch (mode) {
    case ExportSettings::ExportMode::fcpxmlFolder:
        return QStringLiteral("fcpxml-folder");
    case ExportSettings::ExportMode::fcpxmldBundle:
        return QStringLiteral("fcpxmld-bundle");
    case ExportSettings::ExportMode::zip:
        return QStringLiteral("zip");
    }
    return {};
}

QJsonObject ExportSettings::toJSON() const
{
    QJsonObject known{
        {QStringLiteral("target"), rawValue(target)},
        {QStringLiteral("fcpxmlVersion"), fcpxmlVersion},
        {QStringLiteral("exportMode"), rawValue(exportMode)},
        {QStringLiteral("includeJsonBackup"), includeJsonBackup},
        {QStringLiteral("includeMarkdownShotList"), includeMarkdownShotList},
        {QStringLiteral("includeCsvTaskList"), includeCsvTaskList},
        {QStringLiteral("renderCardsAsPng"), renderCardsAsPng},
        {QStringLiteral("includeUploadedImagesInCards"), includeUploadedImagesInCards},
    };
    if (includeAnimatic)
        known.insert(QStringLiteral("includeAnimatic"), true);
    return withUnknownKeys(unknownKeys, known);
}

ExportSettings ExportSettings::fromJSON(JSONReader &reader)
{
    ExportSettings settings;
    settings.target = reader.enumeration<ExportTarget>(QStringLiteral("target"));
    settings.fcpxmlVersion = reader.string(QStringLiteral("fcpxmlVersion"));
    settings.exportMode = reader.enumeration<ExportMode>(QStringLiteral("exportMode"));
    settings.includeJsonBackup = reader.boolean(QStringLiteral("includeJsonBackup"));
    settings.includeMarkdownShotList = reader.boolean(QStringLiteral("includeMarkdownShotList"));
    settings.includeCsvTaskList = reader.boolean(QStringLiteral("includeCsvTaskList"));
    settings.renderCardsAsPng = reader.boolean(QStringLiteral("renderCardsAsPng"));
    settings.includeUploadedImagesInCards
        = reader.boolean(QStringLiteral("includeUploadedImagesInCards"));
    settings.includeAnimatic = reader.boolean(QStringLiteral("includeAnimatic"), false);
    settings.unknownKeys = reader.unknownKeys();
    return settings;
}

} // namespace veskel
