#include "VeskelApp/Editor/EditorLog.h"

Q_LOGGING_CATEGORY(veskelEditorLog, "veskel.editor", QtWarningMsg)
