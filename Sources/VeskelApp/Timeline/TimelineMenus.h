#pragma once

#include "StoryboardCore/Models/SceneType.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

class QMenu;
class QWidget;

namespace veskel {

class ProjectEditorViewModel;

// The timeline's menus, built when they open and acting through the view model.
class TimelineMenus
{
    Q_DECLARE_TR_FUNCTIONS(veskel::TimelineMenus)

public:
    // Every visual type with its symbol; picking one inserts a scene of it before the given
    // scene, or at the end without one.
    static QMenu *insertMenu(ProjectEditorViewModel &model,
                             const std::optional<QString> &beforeSceneID,
                             QWidget *parent);
    // Scene Type, Add Scene Before, Add Scene After, Duplicate, Move Earlier, Move Later,
    // Delete (Keep Text).
    static QMenu *sceneMenu(ProjectEditorViewModel &model, const QString &sceneID, QWidget *parent);

    static QString insertHelp();
};

} // namespace veskel
