#include "FCPXMLTestSupport.h"

#include "Support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/valid.h>
#include <libxml/xmlerror.h>

namespace veskel::test {

namespace {
void collectError(void *userData, xmlErrorPtr error)
{
    static_cast<QStringList *>(userData)->append(
        QStringLiteral("line %1: %2")
            .arg(error->line)
            .arg(QString::fromUtf8(error->message).trimmed()));
}
} // namespace

QStringList fcpxmlDTDViolations(const QString &xml)
{
    QStringList errors;
    xmlSetStructuredErrorFunc(&errors, collectError);

    const QByteArray bytes = xml.toUtf8();
    xmlDtdPtr dtd = xmlParseDTD(nullptr, reinterpret_cast<const xmlChar *>(VESKEL_FCPXML_DTD));
    xmlDocPtr doc = xmlReadMemory(bytes.constData(), int(bytes.size()), "document.fcpxml", "UTF-8",
                                  XML_PARSE_NONET);
    if (!dtd)
        errors << QStringLiteral("the DTD could not be read");
    if (dtd && doc) {
        xmlValidCtxtPtr context = xmlNewValidCtxt();
        if (!xmlValidateDtd(context, doc, dtd) && errors.isEmpty())
            errors << QStringLiteral("invalid without a message");
        xmlFreeValidCtxt(context);
    } else if (!doc && errors.isEmpty()) {
        errors << QStringLiteral("not well-formed");
    }
    xmlFreeDoc(doc);
    xmlFreeDtd(dtd);

    xmlSetStructuredErrorFunc(nullptr, nullptr);
    return errors;
}

QList<ElementAttributes> elementsNamed(const QString &xml, const QString &name)
{
    QList<ElementAttributes> found;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != name)
            continue;
        ElementAttributes attributes;
        for (const QXmlStreamAttribute &attribute : reader.attributes())
            attributes.insert(attribute.name().toString(), attribute.value().toString());
        found << attributes;
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return found;
}

qint64 framesOf(QStringView time, int fps)
{
    if (time == u"0s")
        return 0;
    const qsizetype slash = time.indexOf(u'/');
    EXPECT_TRUE(slash > 0 && time.endsWith(u's')) << time.toString().toStdString();
    EXPECT_EQ(time.mid(slash + 1).chopped(1).toString(), QString::number(fps));
    bool ok = false;
    const qint64 frames = time.left(slash).toLongLong(&ok);
    EXPECT_TRUE(ok) << time.toString().toStdString();
    return frames;
}

ExportFolder makeExportFolder(const StoryboardProject &project)
{
    ExportFolder folder;
    folder.dir = std::make_unique<QTemporaryDir>(sandboxRoot() + QStringLiteral("/export-XXXXXX"));
    QDir(folder.path()).mkpath(QStringLiteral("Media"));
    const QList<Scene> scenes = project.orderedScenes();
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        const QString name = QStringLiteral("S%1.png").arg(i + 1, 3, 10, QLatin1Char('0'));
        QFile card(folder.path() + QStringLiteral("/Media/") + name);
        EXPECT_TRUE(card.open(QIODevice::WriteOnly));
        folder.cardFileNames.insert(scenes.at(i).id, name);
    }
    return folder;
}

} // namespace veskel::test
