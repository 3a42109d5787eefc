#include "VeskelApp/Editor/Script/ScriptLineStyle.h"

#include "StoryboardCore/Script/ScriptText.h"

namespace veskel {

ScriptLineStyle ScriptLineStyle::of(QStringView line)
{
    qsizetype start = 0;
    while (start < line.size() && ScriptText::isHorizontalSpace(line[start]))
        ++start;
    const QStringView trimmed = line.sliced(start);
    ScriptLineStyle style;
    if (trimmed.startsWith(u'#'))
        style.role = Role::heading;
    else if (trimmed.startsWith(u"//"))
        style.role = Role::note;
    else if (trimmed.startsWith(u'>'))
        style.role = Role::onSlide;
    else
        return style;

    qsizetype faded = 0;
    while (faded < line.size() && line[faded] == u' ')
        ++faded;
    if (faded < line.size() && line[faded] != trimmed.front())
        return style; // a tab or another space kind before the marker
    switch (style.role) {
    case Role::heading:
        while (faded < line.size() && line[faded] == u'#')
            ++faded;
        break;
    case Role::note:
        faded += 2;
        break;
    default:
        faded += 1;
        break;
    }
    if (faded < line.size() && line[faded] == u' ')
        ++faded;
    style.fadedLength = int(std::min(faded, line.size()));
    return style;
}

} // namespace veskel
