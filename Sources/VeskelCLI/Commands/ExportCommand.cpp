#include "ExportKit/ExportOrchestrator.h"
#include "VeskelCLI/Invocation.h"

#include <QDir>

#include <cstdio>

#include <unistd.h>

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    return invocation.withProject([&](OpenedProject &opened) -> int {
        // The option holds for this export only; the project keeps its own setting.
        StoryboardProject project = opened.project;
        if (invocation.flag(QStringLiteral("--animatic")))
            project.exportSettings.includeAnimatic = true;
        // A counter that rewrites its own line is for people watching, not for logs and pipes.
        // It is the one control character printed on purpose, so it bypasses the escaping streams.
        ExportOrchestrator::Observers progress;
        bool progressShown = false;
        if (::isatty(::fileno(stderr)) != 0) {
            progress.cards = [&](int rendered, int total) {
                std::fprintf(stderr, "\rRendering cards: %d of %d", rendered, total);
                std::fflush(stderr);
                progressShown = true;
            };
            progress.animaticFrames = [&](qint64 written, qint64 total) {
                // The cards' line ends where the animatic's begins.
                std::fprintf(stderr, "%sWriting the animatic: frame %lld of %lld",
                             written == 1 && progressShown ? "\n" : "\r",
                             static_cast<long long>(written), static_cast<long long>(total));
                std::fflush(stderr);
                progressShown = true;
            };
        }
        const auto result
            = ExportOrchestrator().exportProject(project, opened.packagePath, progress);
        if (progressShown)
            invocation.err() << Qt::endl;
        if (!result)
            return invocation.fail(result.error().description());
        // Scenes the animatic is silent under, for one: the export went on without them.
        for (const QString &warning : std::as_const(result->warnings))
            invocation.err() << "warning: " << warning << '\n';

        invocation.out() << QDir::toNativeSeparators(result->exportFolderPath) << '\n'
                         << (result->replacedExistingExport
                                 ? QStringLiteral(
                                     "Export updated. Import the same FCPXML into Final "
                                     "Cut Pro and choose \u201CReplace\u201D.")
                                 : QStringLiteral("First export is ready. Import the FCPXML into "
                                                  "Final Cut Pro."))
                         << '\n';
        return exitSuccess;
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("export"),
    .run = &run,
    .usage = QStringLiteral("export PACKAGE [--animatic]"),
    .summary = QStringLiteral("Write the export package for Final Cut Pro into the project's "
                              "Exports folder; print its path. --animatic adds the animatic "
                              "video and the scratch narration for this export."),
    .flagOptions = {QStringLiteral("--animatic")},
    .minArguments = 1,
    .maxArguments = 1,
});

} // namespace

} // namespace veskel::cli
