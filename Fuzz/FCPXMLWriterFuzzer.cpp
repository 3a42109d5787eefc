// The FCPXML writer on any project: whenever it writes a document, the document is well-formed
// and valid against Final Cut Pro's FCPXML 1.14 DTD, whatever the titles, texts, durations,
// orders and frame rates held.

#include "FuzzCheck.h"
#include "FuzzInput.h"

#include "FCPXMLKit/FCPXML114Exporter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <climits>

#include <libxml/parser.h>
#include <libxml/valid.h>
#include <libxml/xmlerror.h>

using namespace veskel;

namespace {

// Card files must exist; every scene shows one of these two.
const QStringList cardNames{QStringLiteral("S001.png"), QStringLiteral("a&b <\"c\">.png")};

const QString &exportFolder()
{
    static QTemporaryDir folder;
    static const bool made = [] {
        QDir(folder.path()).mkpath(QStringLiteral("Media"));
        for (const QString &name : cardNames) {
            QFile card(folder.filePath(QStringLiteral("Media/") + name));
            if (!card.open(QIODevice::WriteOnly))
                return false;
        }
        return true;
    }();
    VESKEL_FUZZ_CHECK(folder.isValid() && made);
    static const QString path = folder.path();
    return path;
}

void printError(void *, xmlErrorPtr error)
{
    std::fprintf(stderr, "libxml2: line %d: %s", error->line, error->message);
}

void checkValid(const QString &xml)
{
    static xmlDtdPtr dtd
        = xmlParseDTD(nullptr, reinterpret_cast<const xmlChar *>(VESKEL_FCPXML_DTD));
    VESKEL_FUZZ_CHECK(dtd != nullptr);
    xmlSetStructuredErrorFunc(nullptr, printError);
    const QByteArray bytes = xml.toUtf8();
    xmlDocPtr document = xmlReadMemory(bytes.constData(), int(bytes.size()), "export.fcpxml",
                                       "UTF-8", XML_PARSE_NONET);
    VESKEL_FUZZ_CHECK(document != nullptr);
    xmlValidCtxtPtr context = xmlNewValidCtxt();
    const int valid = xmlValidateDtd(context, document, dtd);
    xmlFreeValidCtxt(context);
    xmlFreeDoc(document);
    if (!valid)
        std::fprintf(stderr, "%s\n", bytes.constData());
    VESKEL_FUZZ_CHECK(valid);
}

Scene scene(fuzz::FuzzInput &input, int index)
{
    Scene scene;
    scene.id = input.flag() ? input.text(40) : QStringLiteral("SCENE-%1").arg(index);
    scene.order = input.flag() ? input.integer(INT_MIN, INT_MAX) : index;
    scene.title = input.text(60);
    scene.durationSeconds = input.flag() ? input.number() : input.integer(0, 600) / 2.0;
    scene.type = allCases<SceneType>()[input.byte() % allCases<SceneType>().size()];
    scene.onScreenText = input.text(40);
    scene.voiceoverText = input.text(80);
    scene.productionNote = input.text(40);
    scene.marker.type = allCases<MarkerType>()[input.byte() % allCases<MarkerType>().size()];
    scene.marker.title = input.flag() ? input.text(40) : scene.markerName();
    scene.marker.note = input.text(40);
    scene.marker.isCompleted = input.flag();
    return scene;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    FCPXMLExportInput exportInput;
    StoryboardProject &project = exportInput.project;
    project.id = QStringLiteral("P");
    project.title = input.text(60);
    const auto &rates = VideoSettings::supportedFrameRates;
    project.videoSettings.fps
        = input.flag() ? input.integer(-1, 1000) : rates[input.byte() % rates.size()];
    project.videoSettings.width = input.flag() ? input.integer(-1, 100000) : 1920;
    project.videoSettings.height = input.flag() ? input.integer(-1, 100000) : 1080;
    for (int count = input.byte() % 12, i = 0; i < count; ++i) {
        project.scenes.append(scene(input, i));
        exportInput.cardFileNames.insert(project.scenes.last().id, cardNames[input.byte() % 2]);
    }
    exportInput.exportFolderPath = exportFolder();

    const auto result = FCPXML114Exporter().exportDocument(exportInput);
    if (result)
        checkValid(result->xml);
    return 0;
}
