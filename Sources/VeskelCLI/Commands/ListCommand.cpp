#include "StoryboardCore/Duration/DurationCalculator.h"
#include "StoryboardCore/Storage/ISODate.h"
#include "VeskelCLI/ControlCharacterEscaping.h"
#include "VeskelCLI/Invocation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace veskel::cli {

namespace {

QJsonObject toJSON(const ProjectSummary &row)
{
    QJsonObject object{
        {QStringLiteral("id"), row.id},
        {QStringLiteral("title"), row.title},
        {QStringLiteral("slug"), row.slug},
        {QStringLiteral("updatedAt"), isoDateString(row.updatedAt)},
        {QStringLiteral("createdAt"), isoDateString(row.createdAt)},
        {QStringLiteral("sceneCount"), row.sceneCount},
        {QStringLiteral("totalDurationSeconds"), row.totalDurationSeconds},
        {QStringLiteral("packageURL"), row.packageURL},
        {QStringLiteral("warningCount"), row.warningCount},
    };
    if (row.folderName)
        object.insert(QStringLiteral("folderName"), *row.folderName);
    return object;
}

int run(Invocation &invocation)
{
    const auto rows = invocation.store().listProjects();
    if (!rows)
        return invocation.fail(rows.error());
    if (invocation.flag(QStringLiteral("--json"))) {
        QJsonArray array;
        for (const ProjectSummary &row : *rows)
            array.append(toJSON(row));
        // QJsonDocument escapes C0 controls but writes DEL and C1 as they are.
        invocation.out() << ControlCharacterEscaping::escaped(
            QJsonDocument(array).toJson(QJsonDocument::Indented),
            ControlCharacterEscaping::Style::json);
        return exitSuccess;
    }
    // One tab-separated line per project: where, title, scenes, duration, warnings.
    for (const ProjectSummary &row : *rows) {
        const QString where = row.folderName ? *row.folderName + u'/' + row.slug : row.slug;
        invocation.out() << where << '\t' << row.title << '\t' << row.sceneCount << " scenes\t"
                         << DurationCalculator::formatDuration(row.totalDurationSeconds);
        if (row.warningCount > 0)
            invocation.out() << '\t' << row.warningCount << " warnings";
        invocation.out() << '\n';
    }
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("list"),
    .usage = QStringLiteral("list [--json]"),
    .summary = QStringLiteral("List the projects, newest first."),
    .valueOptions = {},
    .flagOptions = {QStringLiteral("--json")},
    .minArguments = 0,
    .maxArguments = 0,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
