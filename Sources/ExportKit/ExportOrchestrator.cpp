#include "ExportKit/ExportOrchestrator.h"

#include "AnimaticKit/AnimaticWriter.h"
#include "CardRenderer/CardFileNaming.h"
#include "CardRenderer/PNGCardRenderer.h"
#include "CardRenderer/SceneImageCache.h"
#include "ExportKit/ExportFiles.h"
#include "ExportKit/ExportLog.h"
#include "ExportKit/SceneListExporter.h"
#include "ExportKit/ScratchNarration.h"
#include "ExportKit/ShotListExporter.h"
#include "ExportKit/StoryboardPDFWriter.h"
#include "FCPXMLKit/FCPXML114Exporter.h"
#include "NarrationKit/Narrator.h"
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

using namespace ExportFiles;

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
    std::shared_ptr<SceneImageCache> images;
};

// Renders the cards on as many threads as the machine has and reports as rendering them one
// after the other in scene order would: the first failure in that order wins. `meanwhile` runs
// on the calling thread while they render.
Result<QStringList> renderCards(const CardJobs &cards,
                                const ExportOrchestrator::CardProgress &progress,
                                const std::function<void()> &meanwhile)
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
            input.images = cards.images;
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
    // Threads of the export's own even when one is enough: the renderer keeps a canvas per
    // thread, and these take theirs with them when they end.
    const size_t threadCount
        = std::min<size_t>(jobs.size(), size_t(std::max(1, QThread::idealThreadCount())));
    {
        std::vector<std::jthread> threads;
        for (size_t t = 0; t < threadCount; ++t)
            threads.emplace_back(work);
        meanwhile();
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
    return exportProject(project, packagePath, Observers{progress, {}, {}});
}

Result<ExportResult> ExportOrchestrator::exportProject(const StoryboardProject &project,
                                                       const QString &packagePath,
                                                       const Observers &observers) const
{
    QElapsedTimer clock;
    clock.start();
    qCDebug(veskelExportLog) << "exporting" << project.id << project.scenes.size() << "scenes from"
                             << packagePath;
    auto result = writePackage(project, packagePath, observers);
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
                                                      const Observers &observers) const
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

    // The storyboard PDF needs no card: drawn meanwhile, on a thread of its own. It decodes
    // the reference images for the cards too, or takes theirs.
    const auto images = std::make_shared<SceneImageCache>();
    QFuture<std::expected<QByteArray, QString>> pdf
        = QtConcurrent::run([&project, package, images] {
              StoryboardPDFInput input{project, ProjectPackagePaths::mediaPath(package),
                                       QDateTime::currentDateTimeUtc()};
              input.images = images;
              if (project.exportSettings.includeUploadedImagesInCards)
                  input.cardImageCover = PNGCardRenderer::thumbnailCover(
                      project.videoSettings.width, project.videoSettings.height);
              return StoryboardPDFWriter::write(input);
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
                         fileNames,
                         images};
    // The files that need no card are made while the cards render, and written after them.
    std::optional<std::expected<QByteArray, ProjectCodecError>> json;
    QString shotList;
    QByteArray sceneList;
    std::optional<OTIOExportResult> otio;
    const auto documents = [&] {
        json = ProjectJSONCodec::encode(project);
        shotList = ShotListExporter::generate(project, QDateTime::currentDateTimeUtc());
        sceneList = SceneListExporter::csv(project).toUtf8();
        // With the animatic it also points to the narration, written after the cards.
        if (!project.exportSettings.includeAnimatic)
            otio = OTIOTimelineExporter::exportDocument(
                {project, cardFileNames, result.exportFolderPath, {}});
    };
    const auto warnings = renderCards(cards, observers.cards, documents);
    if (!warnings)
        return std::unexpected(warnings.error());
    result.warnings = *warnings;

    // 6. Cards of scenes that are gone.
    if (const auto removed = removeOrphans(result.mediaFolderPath, QStringLiteral("png"),
                                           QSet<QString>(fileNames.begin(), fileNames.end()));
        !removed) {
        return std::unexpected(removed.error());
    }

    // 6a. The scratch track, which both timelines point to.
    std::optional<ScratchNarration> narration;
    const QString narrationFolder = result.exportFolderPath + u'/' + ScratchNarration::folderName();
    if (project.exportSettings.includeAnimatic) {
        if (const auto inside = checkInside(package, narrationFolder); !inside)
            return std::unexpected(inside.error());
        if (const auto made = makeFolder(narrationFolder); !made)
            return std::unexpected(made.error());
        auto written = ScratchNarration::write(project, narrationFolder, Narrator::sharedCache());
        if (!written)
            return std::unexpected(written.error());
        narration = std::move(*written);
        result.warnings += narration->warnings;
    }

    // 7. The FCPXML document.
    FCPXMLExportInput fcpxmlInput;
    fcpxmlInput.project = project;
    fcpxmlInput.cardFileNames = cardFileNames;
    fcpxmlInput.exportFolderPath = result.exportFolderPath;
    fcpxmlInput.version = FCPXMLVersion::v1_14;
    if (narration)
        fcpxmlInput.narrations = narration->files;
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
    if (!*json)
        return std::unexpected(ExportError::writeFailed(jsonFailure + json->error().description()));
    if (const auto written = writeAtomically(result.jsonPath, **json); !written)
        return std::unexpected(ExportError::writeFailed(jsonFailure + written.error()));

    // 9. The shot list.
    result.markdownPath = result.exportFolderPath + u'/' + shotListFileName();
    if (const auto written = writeAtomically(result.markdownPath, shotList.toUtf8()); !written) {
        return std::unexpected(ExportError::writeFailed(
            QStringLiteral("Could not write shot list: ") + written.error()));
    }

    // 10. The scene list.
    result.csvPath = result.exportFolderPath + u'/' + sceneListFileName();
    if (const auto written = writeAtomically(result.csvPath, sceneList); !written) {
        return std::unexpected(ExportError::writeFailed(
            QStringLiteral("Could not write scene list: ") + written.error()));
    }

    // 11. The same timeline for editors that read OpenTimelineIO, beside the FCPXML.
    if (!otio)
        otio = OTIOTimelineExporter::exportDocument(
            {project, cardFileNames, result.exportFolderPath,
             narration ? narration->files : QHash<QString, NarrationFile>()});
    result.otioPath = result.exportFolderPath + u'/' + otio->otioFileName;
    if (const auto written = writeAtomically(result.otioPath, otio->json.toUtf8()); !written) {
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

    // 13. The animatic, last: the longest step, and the one that can be cancelled.
    if (narration) {
        QHash<QString, QString> cardPaths;
        for (auto card = cardFileNames.cbegin(); card != cardFileNames.cend(); ++card)
            cardPaths.insert(card.key(), result.mediaFolderPath + u'/' + card.value());
        const QString path = result.exportFolderPath + u'/' + animaticFileName(project);
        if (auto ok = PackageGuard::check(result.exportFolderPath, path); !ok)
            return std::unexpected(ExportError::cannotWriteAnimatic(ok.error()));
        const auto written
            = AnimaticWriter::write(AnimaticPlan::of(project, path, cardPaths, narration->samples),
                                    observers.animaticFrames, observers.isCancelled);
        if (!written)
            return std::unexpected(
                written.error().kind == AnimaticError::Kind::cancelled
                    ? ExportError::cancelled()
                    : ExportError::cannotWriteAnimatic(written.error().description()));
        result.animaticPath = path;
    }

    // What an export writes can be made again, so its files are not synced one by one; the
    // folder's new names go to the disk once.
    QStringList folders{result.mediaFolderPath, result.exportFolderPath};
    if (narration)
        folders.append(narrationFolder);
    for (const QString &folder : std::as_const(folders)) {
        if (const auto synced = FileOperations::syncFolder(folder); !synced)
            qCWarning(veskelExportLog) << "could not sync" << folder << synced.error();
    }
    return result;
}

} // namespace veskel
