#include "ExportKit/ExportLog.h"

Q_LOGGING_CATEGORY(veskelExportLog, "veskel.export", QtWarningMsg)
