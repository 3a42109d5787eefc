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
        // A counter that rewrites its own line is for people watching, not for logs and pipes.
        // It is the one control character printed on purpose, so it bypasses the escaping streams.
        ExportOrchestrator::CardProgress progress;
        bool progressShown = false;
        if (::isatty(::fileno(stderr)) != 0) {
            progress = [&](int rendered, int total) {
                std::fprintf(stderr, "\rRendering cards: %d of %d", rendered, total);
                std::fflush(stderr);
                progressShown = true;
            };
        }
        const auto result
            = ExportOrchestrator().exportProject(opened.project, opened.packagePath, progress);
        if (progressShown)
            invocation.err() << Qt::endl;
        if (!result)
            return invocation.fail(result.error().description());

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
    .usage = QStringLiteral("export PACKAGE"),
    .summary = QStringLiteral("Write the export package for Final Cut Pro into the project's "
                              "Exports folder; print its path."),
    .minArguments = 1,
    .maxArguments = 1,
});

} // namespace

} // namespace veskel::cli
