#include "ExportKit/ExportOrchestrator.h"

#include "CardRenderer/CardFileNaming.h"
#include "CardRenderer/PNGCardRenderer.h"
#include "ExportKit/ExportLog.h"
#include "ExportKit/SceneListExporter.h"
#include "ExportKit/ShotListExporter.h"
#include "ExportKit/StoryboardPDFWriter.h"
#include "FCPXMLKit/FCPXML114Exporter.h"
#include "OTIOKit/OTIOTimelineExporter.h"
#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/PackageGuard.h"
#include "StoryboardCore/Storage/ProjectJSONCodec.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Validation/ProjectValidator.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFuture>
#include <QHash>
#include <QScopeGuard>
#include <QSet>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace veskel {

namespace {

template<typename T = void>
using Result = std::expected<T, ExportError>;

QString quoted(const QString &path)
{
    return u'\u201C' + QDir::toNativeSeparators(path) + u'\u201D';
}

// Replaces the file in one step; on failure an earlier file stays as it was. The folder was
// checked already; a link in the file's place is refused, as writing would follow it. Gives
// the platform's description of a failure.
std::expected<void, QString> writeAtomically(const QString &path, const QByteArray &bytes)
{
    if (auto ok = PackageGuard::check(QFileInfo(path).path(), path); !ok)
        return ok;
    return FileOperations::writeAtomically(path, bytes);
}

// No link on the way from the package to `path`, which the export writes into or below.
Result<> checkInside(const QString &package, const QString &path)
{
    if (auto ok = PackageGuard::check(package, path); !ok)
        return std::unexpected(ExportError::writeFailed(ok.error()));
    return {};
}

Result<> makeFolder(const QString &path)
{
    if (const auto made = FileOperations::createDirectory(path, true); !made) {
        return std::unexpected(ExportError::fileOperationFailed(
            QStringLiteral("Could not create the folder %1: %2").arg(quoted(path), made.error())));
    }
    return {};
}

// A folder marked read-only counts as such even for a user (root) whom the system would let
// write anyway.
bool isWritableFolder(const QString &path)
{
    const QFileInfo info(path);
    constexpr QFileDevice::Permissions anyWrite
        = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isDir() && info.isWritable() && (info.permissions() & anyWrite) != 0;
}

struct CardJobs
{
    const SceneCardRenderer &renderer;
    const StoryboardProject &project;
    const QList<Scene> &scenes;
    QString mediaFolder;
    QString referenceFolder;
    QStringList fileNames;
};

// Renders the cards on as many threads as the machine has and reports as rendering them one
// after the other in scene order would: the first failure in that order wins.
Result<QStringList> renderCards(const CardJobs &cards,
                                const ExportOrchestrator::CardProgress &progress)
{
    const qsizetype count = cards.scenes.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QString card = cards.mediaFolder + u'/' + cards.fileNames[i];
        if (auto ok = PackageGuard::check(cards.mediaFolder, card); !ok)
            return std::unexpected(ExportError::cannotRenderCard(cards.scenes[i].id, ok.error()));
    }
    // Scenes that share a file name (equal orders in a hand-edited file) overwrite each other's
    // card in turn; only the last one's is rendered, so threads never race for a file.
    QHash<QString, qsizetype> lastWriter;
    for (qsizetype i = 0; i < count; ++i)
        lastWriter.insert(cards.fileNames[i], i);
    std::vector<qsizetype> jobs;
    for (qsizetype i = 0; i < count; ++i) {
        if (lastWriter.value(cards.fileNames[i]) == i)
            jobs.push_back(i);
    }

    using CardResult = std::expected<CardRenderResult, CardRenderError>;
    std::vector<std::optional<CardResult>> results(static_cast<size_t>(count));
    std::atomic<size_t> nextJob{0};
    std::atomic<bool> failed{false};
    std::mutex progressMutex;
    int rendered = 0;
    const auto work = [&] {
        // Jobs are taken in scene order, so when one fails every earlier one is finished.
        while (!failed.load()) {
            const size_t job = nextJob.fetch_add(1);
            if (job >= jobs.size())
                return;
            const qsizetype i = jobs[job];
            CardRenderInput input;
            input.scene = cards.scenes[i];
            input.sceneIndex = int(i);
            input.videoSettings = cards.project.videoSettings;
            input.includeUploadedImage = cards.project.exportSettings.includeUploadedImagesInCards;
            input.mediaBasePath = cards.referenceFolder;
            CardResult result
                = cards.renderer.renderCard(input, cards.mediaFolder + u'/' + cards.fileNames[i]);
            const bool ok = result.has_value();
            results[size_t(i)] = std::move(result);
            if (!ok) {
                failed = true;
            } else if (progress) {
                const std::lock_guard lock(progressMutex);
                progress(++rendered, int(jobs.size()));
            }
        }
    };
    const size_t threadCount
        = std::min<size_t>(jobs.size(), size_t(std::max(1, QThread::idealThreadCount())));
    if (threadCount <= 1) {
        work();
    } else {
        std::vector<std::jthread> threads;
        for (size_t t = 0; t < threadCount; ++t)
            threads.emplace_back(work);
    }

    QStringList warnings;
    for (qsizetype i = 0; i < count; ++i) {
        const auto &result = results[size_t(i)];
        if (!result)
            continue; // drawn by a later scene of the same name
        const QString &sceneID = cards.scenes[i].id;
        if (!result->has_value())
            return std::unexpected(
                ExportError::cannotRenderCard(sceneID, result->error().description()));
        warnings += (*result)->warnings;
        if (!QFileInfo::exists(cards.mediaFolder + u'/' + cards.fileNames[i]))
            return std::unexpected(ExportError::missingMedia(sceneID));
    }
    return warnings;
}

// Deletes the PNG files of Media that no scene's card is called; everything else stays.
Result<> removeOrphanedMedia(const QString &mediaFolder, const QSet<QString> &cardFileNames)
{
    if (!QFileInfo(mediaFolder).isDir())
        return {};
    // Without QDir::Hidden: hidden files are not listed. Folders are never removed.
    const QFileInfoList entries
        = QDir(mediaFolder)
              .entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.suffix().toLower() != QStringLiteral("png")
            || cardFileNames.contains(entry.fileName()))
            continue;
        QFile file(entry.filePath());
        if (!file.remove()) {
            return std::unexpected(ExportError::fileOperationFailed(
                QStringLiteral("Could not delete %1: %2")
                    .arg(quoted(entry.filePath()), file.errorString())));
        }
    }
    return {};
}

} // namespace

ExportOrchestrator::ExportOrchestrator()
    : ExportOrchestrator(std::make_shared<PNGCardRenderer>(), std::make_shared<FCPXML114Exporter>())
{
}

ExportOrchestrator::ExportOrchestrator(std::shared_ptr<const SceneCardRenderer> cardRenderer,
                                       std::shared_ptr<const FCPXMLExporter> fcpxmlExporter)
    : m_cardRenderer(std::move(cardRenderer))
    , m_fcpxmlExporter(std::move(fcpxmlExporter))
{
}

Result<ExportResult> ExportOrchestrator::exportProject(const StoryboardProject &project,
                                                       const QString &packagePath,
                                                       const CardProgress &progress) const
{
    QElapsedTimer clock;
    clock.start();
    qCDebug(veskelExportLog) << "exporting" << project.id << project.scenes.size() << "scenes from"
                             << packagePath;
    auto result = writePackage(project, packagePath, progress);
    if (!result && !result.error().sceneID.isEmpty())
        result.error().sceneLabel = sceneLabel(result.error().sceneID, project);
    if (result)
        qCInfo(veskelExportLog) << "exported" << project.id << "to" << result->exportFolderPath
                                << "in" << clock.elapsed() << "ms";
    else
        qCInfo(veskelExportLog) << "export of" << project.id << "stopped after" << clock.elapsed()
                                << "ms:" << result.error().description();
    return result;
}

Result<ExportResult> ExportOrchestrator::writePackage(const StoryboardProject &project,
                                                      const QString &packagePath,
                                                      const CardProgress &progress) const
{
    // 1. Only errors block; the first one is named.
    const QList<ValidationIssue> blocking = ProjectValidator::exportBlockingIssues(project);
    if (!blocking.isEmpty())
        return std::unexpected(
            ExportError::invalidProject(blocking.first().reviewMessage(project)));

    // 2. The package's Exports folder.
    const QString package = QDir::cleanPath(QFileInfo(packagePath).absoluteFilePath());
    const QString exportsFolder = ProjectPackagePaths::exportsPath(package);
    if (const auto inside = checkInside(package, exportsFolder); !inside)
        return std::unexpected(inside.error());
    if (QFileInfo::exists(exportsFolder)) {
        if (!isWritableFolder(exportsFolder))
            return std::unexpected(ExportError::exportsFolderNotAccessible());
    } else if (const auto made = makeFolder(exportsFolder); !made) {
        return std::unexpected(made.error());
    }

    // 3.–4. The stable export folder and its Media; existing files in them stay.
    ExportResult result;
    result.exportFolderPath = ProjectPackagePaths::stableExportPath(package, project.slug());
    result.replacedExistingExport = QFileInfo::exists(result.exportFolderPath);
    result.mediaFolderPath = result.exportFolderPath + u'/' + ProjectPackagePaths::mediaFolderName;
    if (const auto inside = checkInside(package, result.mediaFolderPath); !inside)
        return std::unexpected(inside.error());
    if (const auto made = makeFolder(result.exportFolderPath); !made)
        return std::unexpected(made.error());
    if (const auto made = makeFolder(result.mediaFolderPath); !made)
        return std::unexpected(made.error());

    // The storyboard PDF needs no card: drawn meanwhile, on a thread of its own.
    QFuture<std::expected<QByteArray, QString>> pdf = QtConcurrent::run([&project, package] {
        return StoryboardPDFWriter::write(
            {project, ProjectPackagePaths::mediaPath(package), QDateTime::currentDateTimeUtc()});
    });
    // Every early return below waits for it: it reads the project and the package.
    const auto drawn = qScopeGuard([&pdf] { pdf.waitForFinished(); });

    // 5. One card per scene.
    const QList<Scene> scenes = project.orderedScenes();
    QHash<QString, QString> cardFileNames;
    QStringList fileNames;
    for (const Scene &scene : scenes) {
        fileNames.append(CardFileNaming::fileName(scene));
        cardFileNames.insert(scene.id, fileNames.last());
    }
    const CardJobs cards{*m_cardRenderer,
                         project,
                         scenes,
                         result.mediaFolderPath,
                         ProjectPackagePaths::mediaPath(package),
                         fileNames};
    const auto warnings = renderCards(cards, progress);
    if (!warnings)
        return std::unexpected(warnings.error());
    result.warnings = *warnings;

    // 6. Cards of scenes that are gone.
    if (const auto removed = removeOrphanedMedia(result.mediaFolderPath,
                                                 QSet<QString>(fileNames.begin(), fileNames.end()));
        !removed) {
        return std::unexpected(removed.error());
    }

    // 7. The FCPXML document.
    FCPXMLExportInput fcpxmlInput;
    fcpxmlInput.project = project;
    fcpxmlInput.cardFileNames = cardFileNames;
    fcpxmlInput.exportFolderPath = result.exportFolderPath;
    fcpxmlInput.version = FCPXMLVersion::v1_14;
    const auto document = m_fcpxmlExporter->exportDocument(fcpxmlInput);
    if (!document)
        return std::unexpected(document.error().kind == FCPXMLExportError::Kind::missingCardFile
                                   ? ExportError::missingMedia(document.error().payload)
                                   : ExportError::cannotWriteXML(document.error().description()));
    result.fcpxmlPath = result.exportFolderPath + u'/' + document->fcpxmlFileName;
    if (const auto written = writeAtomically(result.fcpxmlPath, document->xml.toUtf8()); !written)
        return std::unexpected(ExportError::cannotWriteXML(written.error()));

    // 8. The JSON backup, in the project file's own form.
    result.jsonPath = result.exportFolderPath + u'/' + jsonBackupFileName();
    const QString jsonFailure = QStringLiteral("Could not write JSON backup: ");
    const auto json = ProjectJSONCodec::encode(project);
    if (!json)
        return std::unexpected(ExportError::writeFailed(jsonFailure + json.error().description()));
    if (const auto written = writeAtomically(result.jsonPath, *json); !written)
        return std::unexpected(ExportError::writeFailed(jsonFailure + written.error()));

    // 9. The shot list.
    result.markdownPath = result.exportFolderPath + u'/' + shotListFileName();
    const QString shotList = ShotListExporter::generate(project, QDateTime::currentDateTimeUtc());
    if (const auto written = writeAtomically(result.markdownPath, shotList.toUtf8()); !written) {
        return std::unexpected(ExportError::writeFailed(
            QStringLiteral("Could not write shot list: ") + written.error()));
    }

    // 10. The scene list.
    result.csvPath = result.exportFolderPath + u'/' + sceneListFileName();
    if (const auto written
        = writeAtomically(result.csvPath, SceneListExporter::csv(project).toUtf8());
        !written) {
        return std::unexpected(ExportError::writeFailed(
            QStringLiteral("Could not write scene list: ") + written.error()));
    }

    // 11. The same timeline for editors that read OpenTimelineIO, beside the FCPXML.
    const OTIOExportResult otio
        = OTIOTimelineExporter::exportDocument({project, cardFileNames, result.exportFolderPath});
    result.otioPath = result.exportFolderPath + u'/' + otio.otioFileName;
    if (const auto written = writeAtomically(result.otioPath, otio.json.toUtf8()); !written) {
        return std::unexpected(ExportError::writeFailed(
            QStringLiteral("Could not write OpenTimelineIO timeline: ") + written.error()));
    }

    // 12. The storyboard for the people who approve the video.
    result.pdfPath = result.exportFolderPath + u'/' + StoryboardPDFWriter::fileName();
    const QString pdfFailure = QStringLiteral("Could not write storyboard PDF: ");
    const std::expected<QByteArray, QString> pdfBytes = pdf.result();
    if (!pdfBytes)
        return std::unexpected(ExportError::writeFailed(pdfFailure + pdfBytes.error()));
    if (const auto written = writeAtomically(result.pdfPath, *pdfBytes); !written)
        return std::unexpected(ExportError::writeFailed(pdfFailure + written.error()));

    // What an export writes can be made again, so its files are not synced one by one; the
    // folder's new names go to the disk once.
    for (const QString &folder : {result.mediaFolderPath, result.exportFolderPath}) {
        if (const auto synced = FileOperations::syncFolder(folder); !synced)
            qCWarning(veskelExportLog) << "could not sync" << folder << synced.error();
    }
    return result;
}

} // namespace veskel
