#include "StoryboardCore/Duration/DurationCalculator.h"
#include "StoryboardCore/Localization/NameCollator.h"
#include "StoryboardCore/Storage/ISODate.h"
#include "VeskelCLI/ControlCharacterEscaping.h"
#include "VeskelCLI/Invocation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

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
        {QStringLiteral("packageURL"), row.packagePath},
        {QStringLiteral("warningCount"), row.warningCount},
        {QStringLiteral("hasConflictCopy"), row.hasConflictCopy},
    };
    if (row.folderName)
        object.insert(QStringLiteral("folderName"), *row.folderName);
    return object;
}

// The store lists newest first; the other orders sort stably, so equal keys keep that order.
void reorder(QList<ProjectSummary> &rows, const QString &sort)
{
    if (sort == u"created") {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto &a, const auto &b) { return a.createdAt > b.createdAt; });
    } else if (sort == u"name") {
        const NameCollator names = NameCollator::forInterfaceLanguage();
        std::stable_sort(rows.begin(), rows.end(), [&names](const auto &a, const auto &b) {
            return names(a.title, b.title);
        });
    }
}

int run(Invocation &invocation)
{
    const QString sort
        = invocation.option(QStringLiteral("--sort")).value_or(QStringLiteral("modified"));
    if (!QStringList{QStringLiteral("modified"), QStringLiteral("created"), QStringLiteral("name")}
             .contains(sort))
        return invocation.usageError(QStringLiteral("unknown order ") + sort);
    auto rows = invocation.store().listProjects();
    if (!rows)
        return invocation.fail(rows.error());
    reorder(*rows, sort);
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
    .run = &run,
    .usage = QStringLiteral("list [--json] [--sort modified|created|name]"),
    .summary = QStringLiteral("List the projects, newest first, or newest created first, or by "
                              "title in the order people read names."),
    .valueOptions = {QStringLiteral("--sort")},
    .flagOptions = {QStringLiteral("--json")},
    .minArguments = 0,
    .maxArguments = 0,
});

} // namespace

} // namespace veskel::cli
