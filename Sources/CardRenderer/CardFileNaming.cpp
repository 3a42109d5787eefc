#include "CardRenderer/CardFileNaming.h"

namespace veskel::CardFileNaming {

QString fileName(const Scene &scene)
{
    return u'S' + scene.sceneNumber() + QStringLiteral(".png");
}

} // namespace veskel::CardFileNaming
