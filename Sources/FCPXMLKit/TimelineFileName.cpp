#include "FCPXMLKit/TimelineFileName.h"

#include "StoryboardCore/Utilities/Slug.h"

namespace veskel {

QString timelineFileBaseName(const QString &projectTitle)
{
    return slugified(projectTitle, 80);
}

} // namespace veskel
