#pragma once

#include <QLoggingCategory>

// What the store did with the files on disk. Only warnings (what failed quietly) show unless
// asked for: QT_LOGGING_RULES="veskel.*=true" when reporting a bug.
Q_DECLARE_LOGGING_CATEGORY(veskelStoreLog)
