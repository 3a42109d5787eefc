#include "StoryboardCore/Editing/SceneStamps.h"

#include "StoryboardCore/Script/ScriptText.h"

#include <QHash>

namespace veskel::SceneStamps {

namespace {

// Whether the marker title already reads "S<number> · <title>".
bool markerTitleIsCurrent(const Scene &scene)
{
    // Negative orders only come from damaged files; those take the slow way.
    if (scene.order < 0)
        return false;
    // The number as Scene::sceneNumber() writes it: order + 1, at least three digits.
    char16_t digits[24];
    qsizetype count = 0;
    for (qint64 n = qint64(scene.order) + 1; n > 0 || count < 3; n /= 10)
        digits[count++] = char16_t(u'0' + n % 10);
    const QString &marker = scene.marker.title;
    constexpr QStringView separator = u" \u00B7 ";
    if (marker.size() != 1 + count + separator.size() + scene.title.size()
        || marker.front() != u'S')
        return false;
    for (qsizetype i = 0; i < count; ++i) {
        if (marker.at(1 + i) != QChar(digits[count - 1 - i]))
            return false;
    }
    const QStringView rest = QStringView(marker).sliced(1 + count);
    return rest.startsWith(separator) && rest.sliced(separator.size()) == scene.title;
}

} // namespace

void refreshMarkerTitle(Scene &scene)
{
    if (!markerTitleIsCurrent(scene))
        scene.marker.title = scene.markerName();
}

void stampChanged(const StoryboardProject &before, StoryboardProject &after, const QDateTime &stamp)
{
    QHash<QString, const Scene *> earlier;
    earlier.reserve(before.scenes.size());
    for (const Scene &scene : before.scenes)
        earlier.insert(scene.id, &scene);
    for (Scene &scene : after.scenes) {
        const Scene *old = earlier.value(scene.id);
        if (old && *old == scene)
            continue;
        scene.title = ScriptText::headingTitle(scene.title);
        scene.updatedAt = stamp;
        refreshMarkerTitle(scene);
    }
    after.updatedAt = stamp;
}

} // namespace veskel::SceneStamps
