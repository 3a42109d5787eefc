#include "StoryboardCore/Editing/SceneStamps.h"

#include <gtest/gtest.h>

#include <climits>

using namespace veskel;
using namespace Qt::StringLiterals;

namespace {

struct MarkerCase
{
    int order;
    QString title;
    QString marker; // before
};

void PrintTo(const MarkerCase &c, std::ostream *os)
{
    *os << c.order << " \"" << c.marker.toStdString() << '"';
}

class MarkerTitle : public ::testing::TestWithParam<MarkerCase>
{
};

// Whatever the marker held, it ends as the scene's marker name.
TEST_P(MarkerTitle, EndsAsTheMarkerName)
{
    Scene scene;
    scene.order = GetParam().order;
    scene.title = GetParam().title;
    scene.marker.title = GetParam().marker;
    SceneStamps::refreshMarkerTitle(scene);
    EXPECT_EQ(scene.marker.title, scene.markerName());
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         MarkerTitle,
                         ::testing::Values(MarkerCase{0, u"Intro"_s, u"S001 · Intro"_s},
                                           MarkerCase{0, u"Intro"_s, QString()},
                                           MarkerCase{1, u"Intro"_s, u"S001 · Intro"_s},
                                           MarkerCase{0, u"Intro"_s, u"S001 · Intr"_s},
                                           MarkerCase{0, u"Intro"_s, u"S001 - Intro"_s},
                                           MarkerCase{0, u"Intro"_s, u"X001 · Intro"_s},
                                           MarkerCase{999, u"T"_s, u"S999 · T"_s},
                                           MarkerCase{1000, u"T"_s, u"S1000 · T"_s},
                                           MarkerCase{INT_MAX, u"T"_s, QString()},
                                           MarkerCase{-5, u"T"_s, u"S-04 · T"_s}));

TEST(SceneStamps, OnlyChangedScenesAreStampedAndTitledAsTheirHeadingsRead)
{
    const QDateTime earlier = QDateTime::fromSecsSinceEpoch(1000, Qt::UTC);
    const QDateTime stamp = QDateTime::fromSecsSinceEpoch(2000, Qt::UTC);
    StoryboardProject before;
    for (const QString &id : {u"a"_s, u"b"_s}) {
        Scene scene;
        scene.id = id;
        scene.title = u" untouched\n"_s;
        scene.updatedAt = earlier;
        before.scenes.append(scene);
    }
    StoryboardProject after = before;
    after.scenes[1].title = u" two\nlines "_s;
    after.scenes.append(Scene{});
    after.scenes.last().id = u"new"_s;

    SceneStamps::stampChanged(before, after, stamp);
    EXPECT_EQ(after.scenes.at(0), before.scenes.at(0));
    EXPECT_EQ(after.scenes.at(1).title, u"two lines"_s);
    EXPECT_EQ(after.scenes.at(1).updatedAt, stamp);
    EXPECT_EQ(after.scenes.at(1).marker.title, after.scenes.at(1).markerName());
    EXPECT_EQ(after.scenes.at(2).updatedAt, stamp);
    EXPECT_EQ(after.updatedAt, stamp);
}

} // namespace
