#pragma once

#include "VeskelApp/Export/ExportViewModel.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace veskel::test {

// Runs the event loop until the export has left the exporting phase.
inline void waitForExport(ExportViewModel &model)
{
    QSignalSpy phases(&model, &ExportViewModel::phaseChanged);
    QElapsedTimer clock;
    clock.start();
    while (model.isExporting() && clock.elapsed() < 60000)
        phases.wait(200);
    ASSERT_FALSE(model.isExporting()) << "the export did not finish";
}

} // namespace veskel::test
