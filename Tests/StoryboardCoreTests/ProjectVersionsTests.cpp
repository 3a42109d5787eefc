#include "StoreTestSupport.h"

#include "StoryboardCore/Storage/ProjectJSONCodec.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Storage/ProjectVersions.h"

#include <QImage>
#include <QTimeZone>

using namespace veskel;
using namespace veskel::test;

namespace {

QDateTime at(const char *iso)
{
    QDateTime time = QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
    time.setTimeZone(QTimeZone::utc());
    return time;
}

// MARK: thinning, without files

struct ThinningCase
{
    const char *name;
    QStringList versions;
    const char *now;
    QStringList removed;
};

// Names of `count` versions a minute apart, ending at `last`.
QStringList minutely(const char *last, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(ProjectVersions::nameFor(at(last).addSecs(-60 * i)));
    return names;
}

class Thinning : public testing::TestWithParam<ThinningCase>
{
};

TEST_P(Thinning, KeepsTheNewestFiftyThenOneADayForThirtyDays)
{
    QStringList removed = ProjectVersions::thinned(GetParam().versions, at(GetParam().now));
    QStringList expected = GetParam().removed;
    removed.sort();
    expected.sort();
    EXPECT_EQ(removed, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rule,
    Thinning,
    testing::Values(
        ThinningCase{"FiftyStay", minutely("2026-12-06T12:00:00", 50), "2026-12-06T12:00:00", {}},
        // The 51st (oldest) is that day's only older version: it stays as the day's one.
        ThinningCase{"OneOlderOnTheSameDayStays",
                     minutely("2026-12-06T12:00:00", 51),
                     "2026-12-06T12:00:00",
                     {}},
        // Of the older ones only the newest of the day stays.
        ThinningCase{"OlderOnesOfADayAreThinnedToOne",
                     minutely("2026-12-06T12:00:00", 53),
                     "2026-12-06T12:00:00",
                     {"2026-12-06T11-08-00Z", "2026-12-06T11-09-00Z"}},
        ThinningCase{"OneOfEachEarlierDayWithinThirtyDays",
                     minutely("2026-12-06T12:00:00", 50)
                         + QStringList{"2026-12-01T10-00-00Z", "2026-12-01T09-00-00Z",
                                       "2026-11-07T08-00-00Z", "2026-11-06T08-00-00Z"},
                     "2026-12-06T12:00:00",
                     {"2026-12-01T09-00-00Z", "2026-11-06T08-00-00Z"}},
        // Numbered versions of the same second order by their number.
        ThinningCase{"NumberedNamesOfOneSecond",
                     minutely("2026-12-06T12:00:00", 50)
                         + QStringList{"2026-12-01T10-00-00Z", "2026-12-01T10-00-00Z-2"},
                     "2026-12-06T12:00:00",
                     {"2026-12-01T10-00-00Z"}},
        // Names that are no versions are not the rule's to remove.
        ThinningCase{"OtherNamesAreLeft",
                     minutely("2026-12-06T12:00:00", 50)
                         + QStringList{"notes", "project (conflicted copy 2020-01-01)"},
                     "2026-12-06T12:00:00",
                     {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(VersionNames, ReadBackTheirTimeAndTellConflictCopies)
{
    EXPECT_EQ(ProjectVersions::nameFor(at("2026-12-06T22:43:04")), "2026-12-06T22-43-04Z");
    EXPECT_EQ(ProjectVersions::timeOf("2026-12-06T22-43-04Z-3"), at("2026-12-06T22:43:04"));
    EXPECT_EQ(ProjectVersions::timeOf("2026-13-06T22-43-04Z"), std::nullopt);
    EXPECT_EQ(ProjectVersions::timeOf("2026-12-06T22-43-04Z-1"), std::nullopt);
    for (const char *copy : {"project (conflicted copy 2026-12-06).json",
                             "project.sync-conflict-20261206-224304-ABCDEFG.json",
                             "project (1).json", "project-DESKTOP-1.json"})
        EXPECT_TRUE(ProjectVersions::isConflictCopyFileName(copy)) << copy;
    for (const char *other : {"project.json", ".project-1.json.new", "projects.json",
                              "project (1).json.tmp", "notes.json"})
        EXPECT_FALSE(ProjectVersions::isConflictCopyFileName(other)) << other;
}

// MARK: versions a store keeps

class Versions : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        store().setClock([this] { return m_now; });
        m_project = create("Intro");
    }

    QString intro() const { return package("intro"); }
    QString versionsFolder() const { return ProjectPackagePaths::versionsPath(intro()); }

    // Saves the project with one more scene; what project.json held before is returned.
    QByteArray saveEdit()
    {
        const QByteArray before = readBytes(intro() + "/project.json");
        m_project.scenes.append(makeScene(QStringLiteral("S%1").arg(m_project.scenes.size() + 1),
                                          int(m_project.scenes.size()), "Scene"));
        const auto saved = store().saveProject(m_project);
        EXPECT_TRUE(saved.has_value()) << saved.error().description().toStdString();
        return before;
    }

    QList<QByteArray> versionBytes() const
    {
        QList<QByteArray> bytes;
        const auto versions = LocalProjectStore(root()).listVersions(intro());
        for (const ProjectVersion &version : versions.value())
            bytes.append(readBytes(versionsFolder() + u'/' + version.name + ".json"));
        return bytes;
    }

    QDateTime m_now = QDateTime::currentDateTimeUtc();
    StoryboardProject m_project;
};

TEST_F(Versions, ASaveKeepsTheReplacedFileAtMostOnceAMinute)
{
    const QByteArray created = saveEdit();
    EXPECT_EQ(versionBytes(), QList<QByteArray>{created});
    saveEdit(); // within the minute: the editor's own last save, not kept
    EXPECT_EQ(versionBytes().size(), 1);
    m_now = m_now.addSecs(61);
    const QByteArray twoScenes = saveEdit();
    EXPECT_EQ(versionBytes(), (QList<QByteArray>{twoScenes, created}));

    const auto versions = store().listVersions(intro());
    ASSERT_TRUE(versions.has_value());
    EXPECT_EQ(versions->at(0).sceneCount, 2);
    EXPECT_EQ(versions->at(1).sceneCount, 0);
    EXPECT_FALSE(versions->at(0).conflictCopy);
    // Versions are no projects.
    EXPECT_EQ(store().listProjects()->size(), 1);
}

TEST_F(Versions, ThinningRunsAfterEachSave)
{
    ASSERT_TRUE(QDir().mkpath(versionsFolder()));
    const QStringList old = minutely("2026-11-01T12:00:00", 60);
    for (const QString &name : old)
        writeBytes(versionsFolder() + u'/' + name + ".json", "{}");
    m_now = at("2026-12-06T12:00:00");
    saveEdit();
    const QStringList left = ProjectVersions::versionNames(intro());
    // The one just kept, and the newest 49 of the old ones.
    EXPECT_EQ(left.size(), 50);
    EXPECT_FALSE(left.contains(old.last()));
}

TEST_F(Versions, RestoringKeepsTheStateItReplacesEvenWithinAMinute)
{
    const QByteArray empty = saveEdit();
    const QByteArray oneScene = saveEdit(); // not kept: within the minute
    const QString emptyVersion = store().listVersions(intro())->at(0).name;

    const auto restored = store().restoreVersion(m_project, emptyVersion);
    ASSERT_TRUE(restored.has_value()) << restored.error().description().toStdString();
    EXPECT_EQ(restored->id, m_project.id);
    EXPECT_TRUE(restored->scenes.isEmpty());
    EXPECT_EQ(store().loadProject(intro())->scenes.size(), 0);
    const QList<QByteArray> kept = versionBytes();
    ASSERT_EQ(kept.size(), 2);
    EXPECT_TRUE(kept.contains(empty));
    EXPECT_EQ(ProjectJSONCodec::decode(kept.at(0))->scenes.size(), 2);

    EXPECT_EQ(store().restoreVersion(m_project, "2020-01-01T00-00-00Z").error(),
              ProjectStoreError::versionNotFound("2020-01-01T00-00-00Z"));
    EXPECT_EQ(store().restoreVersion(m_project, "../intro").error().kind,
              ProjectStoreError::Kind::versionNotFound);
}

// The image an earlier version shows stays in Media while that version exists, in the package
// and in its duplicate.
TEST_F(Versions, ImagesAVersionRefersToStay)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(outside("picked.png")));
    const QString scene = QStringLiteral("5CE0E000-0000-4000-8000-000000000001");
    const QString imageName = scene + ".png";
    m_project.scenes = {makeScene(scene, 0, "One")};
    ASSERT_TRUE(store().attachSceneImage(outside("picked.png"), scene, m_project).has_value());
    m_now = m_now.addSecs(61);
    saveEdit(); // the state with the image is a version now, and still current

    const auto copy = store().duplicateProject(m_project, "Copy");
    ASSERT_TRUE(copy.has_value());
    const QString copyImage = copy->scenes.first().image->localPath;
    QStringList both{imageName, copyImage};
    both.sort();
    EXPECT_EQ(entries(package("copy") + "/Media"), both);
    const auto old
        = store().readVersion(package("copy"), store().listVersions(package("copy"))->at(0).name);
    ASSERT_TRUE(old.has_value());
    EXPECT_EQ(old->id, copy->id);
    ASSERT_TRUE(old->scenes.first().image.has_value());
    EXPECT_EQ(old->scenes.first().image->localPath, imageName);

    m_project.scenes.first().image.reset();
    m_now = m_now.addSecs(61);
    ASSERT_TRUE(store().saveProject(m_project).has_value());
    ASSERT_TRUE(store().removeUnusedMedia(m_project).has_value());
    EXPECT_EQ(entries(intro() + "/Media"), QStringList{imageName});
}

struct Carrying
{
    const char *name;
    std::function<QString(LocalProjectStore &, const StoryboardProject &, const QString &)> apply;
};

class VersionsTravel : public Versions, public testing::WithParamInterface<Carrying>
{
};

TEST_P(VersionsTravel, WithThePackage)
{
    saveEdit();
    m_now = m_now.addSecs(61);
    saveEdit();
    const QList<QByteArray> before = versionBytes();
    ASSERT_EQ(before.size(), 2);
    const QString to = GetParam().apply(store(), m_project, intro());
    ASSERT_FALSE(to.isEmpty());
    QList<QByteArray> after;
    for (const QString &name : ProjectVersions::versionNames(to))
        after.append(readBytes(ProjectPackagePaths::versionsPath(to) + u'/' + name + ".json"));
    std::sort(after.begin(), after.end());
    QList<QByteArray> expected = before;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(after, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Store,
    VersionsTravel,
    testing::Values(
        Carrying{"Duplicated",
                 [](LocalProjectStore &store, const StoryboardProject &project, const QString &) {
                     const auto copy = store.duplicateProject(project, "Copy");
                     return copy ? *store.packagePath(*copy) : QString();
                 }},
        Carrying{"Moved",
                 [](LocalProjectStore &store, const StoryboardProject &, const QString &package) {
                     EXPECT_TRUE(store.createFolder("Clients").has_value());
                     return store.moveProject(package, QStringLiteral("Clients")).value_or("");
                 }},
        Carrying{"Trashed",
                 [](LocalProjectStore &store, const StoryboardProject &, const QString &package) {
                     const QByteArray current = readBytes(package + "/project.json");
                     EXPECT_TRUE(store.deleteProject(package).has_value());
                     // Other tests trash packages of that name too.
                     const QString files
                         = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                           + "/Trash/files/";
                     for (const QString &name : entries(files)) {
                         if (readBytes(files + name + "/project.json") == current)
                             return files + name;
                     }
                     return QString();
                 }}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
