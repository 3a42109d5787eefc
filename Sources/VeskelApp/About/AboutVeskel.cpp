#include "VeskelApp/About/AboutVeskel.h"

#include "VeskelVersion.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QtGlobal>

namespace veskel::AboutVeskel {

QString text()
{
    // Qt is named with the version it runs on: a packaged build follows the system's Qt.
    return QStringLiteral("<h3>Veskel %1</h3><p>%2</p><p>%3</p><p>%4</p><ul>"
                          "<li>Qt %5 (LGPL-3.0)</li>"
                          "<li>ICU (Unicode)</li>"
                          "<li>eSpeak NG (GPL-3.0-or-later)</li>"
                          "<li>Inter (OFL-1.1)</li>"
                          "<li>JetBrains Mono (Apache-2.0)</li></ul>")
        .arg(QString::fromLatin1(applicationVersion),
             QCoreApplication::translate(
                 "AboutVeskel", "Scripts for explanatory videos, storyboards for Final Cut Pro.")
                 .toHtmlEscaped(),
             QCoreApplication::translate(
                 "AboutVeskel",
                 "Licensed under the GNU General Public License, version 3 or later.")
                 .toHtmlEscaped(),
             QCoreApplication::translate("AboutVeskel", "Made with:").toHtmlEscaped(),
             QString::fromLatin1(qVersion()));
}

void show(QWidget *parent)
{
    QMessageBox::about(parent, QCoreApplication::translate("AboutVeskel", "About Veskel"), text());
}

} // namespace veskel::AboutVeskel
