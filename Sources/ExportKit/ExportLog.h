#pragma once

#include <QLoggingCategory>

// What an export wrote and how long it took; shown with QT_LOGGING_RULES="veskel.export*=true".
Q_DECLARE_LOGGING_CATEGORY(veskelExportLog)
