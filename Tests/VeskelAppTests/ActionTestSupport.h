#pragma once

#include <QAction>
#include <QWidget>

#include <gtest/gtest.h>

namespace veskel::test {

// The action of a menu or tool bar shown with that text or named so; fails the test when there
// is none.
inline QAction *action(const QWidget *owner, const QString &textOrName)
{
    for (QAction *candidate : owner->actions()) {
        if (candidate->text() == textOrName || candidate->objectName() == textOrName)
            return candidate;
    }
    ADD_FAILURE() << "no action " << textOrName.toStdString();
    return nullptr;
}

} // namespace veskel::test
