#include "VeskelApp/Window/FirstPaintTrace.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace veskel {

void FirstPaintTrace::installIfAsked()
{
    if (!qEnvironmentVariableIsSet("VESKEL_TRACE_START"))
        return;
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new FirstPaintTrace(app));
}

bool FirstPaintTrace::eventFilter(QObject *watched, QEvent *event)
{
    // The script is drawn on its text view's viewport.
    if (event->type() == QEvent::Paint && watched->parent()
        && watched->parent()->objectName() == QLatin1String("scriptEditor")) {
        QCoreApplication::instance()->removeEventFilter(this);
        // After the paint itself, which is part of what is measured.
        QTimer::singleShot(0, this, [this] {
            std::fprintf(stderr, "veskel: script painted\n");
            std::fflush(stderr);
            deleteLater();
        });
    }
    return false;
}

} // namespace veskel
