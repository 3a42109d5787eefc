#pragma once

#include <QLoggingCategory>

// What the open editor did with its project: saves that failed, outside changes taken in or kept
// aside. Shown with QT_LOGGING_RULES="veskel.editor*=true".
Q_DECLARE_LOGGING_CATEGORY(veskelEditorLog)
