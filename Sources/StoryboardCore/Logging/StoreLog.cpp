#include "StoryboardCore/Logging/StoreLog.h"

Q_LOGGING_CATEGORY(veskelStoreLog, "veskel.store", QtWarningMsg)
