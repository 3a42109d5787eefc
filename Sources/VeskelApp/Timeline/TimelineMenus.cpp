#include "VeskelApp/Timeline/TimelineMenus.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Widgets/SceneTypeAppearance.h"

#include <QMenu>
#include <QPointer>

#include <functional>

namespace veskel {

namespace {

void addTypeActions(QMenu *menu,
                    const std::function<void(SceneType)> &pick,
                    std::optional<SceneType> current = std::nullopt)
{
    for (SceneType type : EnumTraits<SceneType>::allCases) {
        QAction *action = menu->addAction(IconProvider::icon(SceneTypeAppearance::symbolName(type),
                                                             SceneTypeAppearance::color(type)),
                                          SceneTypeAppearance::localizedName(type));
        if (current) {
            action->setCheckable(true);
            action->setChecked(type == *current);
        }
        QObject::connect(action, &QAction::triggered, menu, [pick, type] { pick(type); });
    }
}

} // namespace

QString TimelineMenus::insertHelp()
{
    return tr("Add a scene here — pick a visual type");
}

QMenu *TimelineMenus::insertMenu(ProjectEditorViewModel &model,
                                 const std::optional<QString> &beforeSceneID,
                                 QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("timelineInsertMenu"));
    menu->setToolTip(insertHelp());
    addTypeActions(menu, [model = QPointer(&model), beforeSceneID](SceneType type) {
        if (model)
            model->insertScene(beforeSceneID, type);
    });
    return menu;
}

QMenu *
TimelineMenus::sceneMenu(ProjectEditorViewModel &model, const QString &sceneID, QWidget *parent)
{
    const QPointer<ProjectEditorViewModel> target(&model);
    const auto act = [target](const std::function<void(ProjectEditorViewModel &)> &change) {
        return [target, change] {
            if (target)
                change(*target);
        };
    };
    std::optional<SceneType> current;
    if (const Scene *scene = model.project().scene(sceneID))
        current = scene->type;

    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("timelineSceneMenu"));
    addTypeActions(
        menu->addMenu(tr("Scene Type")),
        [act, sceneID](SceneType type) {
            act([&](ProjectEditorViewModel &m) {
                m.updateScene(sceneID, [type](Scene &scene) { scene.type = type; });
            })();
        },
        current);
    addTypeActions(menu->addMenu(tr("Add Scene Before")), [act, sceneID](SceneType type) {
        act([&](ProjectEditorViewModel &m) { m.insertScene(sceneID, type); })();
    });
    addTypeActions(menu->addMenu(tr("Add Scene After")), [act, sceneID](SceneType type) {
        act([&](ProjectEditorViewModel &m) { m.insertSceneAfter(sceneID, type); })();
    });
    QObject::connect(menu->addAction(tr("Duplicate")), &QAction::triggered, menu,
                     act([sceneID](ProjectEditorViewModel &m) { m.duplicateScene(sceneID); }));
    QObject::connect(menu->addAction(tr("Move Earlier")), &QAction::triggered, menu,
                     act([sceneID](ProjectEditorViewModel &m) {
                         m.selectOnly(sceneID);
                         m.moveSelectedSceneEarlier();
                     }));
    QObject::connect(menu->addAction(tr("Move Later")), &QAction::triggered, menu,
                     act([sceneID](ProjectEditorViewModel &m) {
                         m.selectOnly(sceneID);
                         m.moveSelectedSceneLater();
                     }));
    menu->addSeparator();
    QObject::connect(menu->addAction(tr("Delete (Keep Text)")), &QAction::triggered, menu,
                     act([sceneID](ProjectEditorViewModel &m) { m.deleteScene(sceneID); }));
    return menu;
}

} // namespace veskel
