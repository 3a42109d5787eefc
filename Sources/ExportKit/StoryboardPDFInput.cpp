#include "ExportKit/StoryboardPDFInput.h"

#include <QLocale>

namespace veskel {

QPageSize StoryboardPDFInput::defaultPageSize()
{
    // Letter is the paper of the United States and its neighbours; everywhere else prints A4.
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

} // namespace veskel
