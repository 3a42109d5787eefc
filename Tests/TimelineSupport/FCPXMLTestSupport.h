#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace veskel::test {

// Every parse and validity error of the document against Final Cut Pro's FCPXML 1.14 DTD;
// empty when the document is valid.
QStringList fcpxmlDTDViolations(const QString &xml);

// Attribute name → value, as a parser reads them.
using ElementAttributes = QMap<QString, QString>;

// The attributes of every element called `name`, in document order. Fails the current test
// when the document is not well-formed.
QList<ElementAttributes> elementsNamed(const QString &xml, const QString &name);

// The frame count of an FCPXML time ("0s" or "n/ds"); fails the test when the denominator is
// not `fps`.
qint64 framesOf(QStringView time, int fps);

// An export folder whose Media holds an (empty) card file per scene, S001.png and on.
struct ExportFolder
{
    std::unique_ptr<QTemporaryDir> dir;
    QHash<QString, QString> cardFileNames;

    QString path() const { return dir->path(); }
};
ExportFolder makeExportFolder(const StoryboardProject &project);

} // namespace veskel::test
