#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"

#include "Support/TestSupport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace veskel::test {

inline QString json(const QString &package)
{
    return ProjectPackagePaths::projectJSONPath(package);
}

// Names in a folder, hidden ones included, sorted.
inline QStringList entries(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                               | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end());
    return names;
}

// Every path under a folder, relative to it, sorted: a whole-tree snapshot for "nothing else
// changed" checks.
inline QStringList tree(const QString &folder)
{
    QStringList paths;
    const QDir base(folder);
    const std::function<void(const QString &)> walk = [&](const QString &dir) {
        for (const QFileInfo &info : QDir(dir).entryInfoList(
                 QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            paths.append(base.relativeFilePath(info.filePath()));
            if (info.isDir() && !info.isSymLink())
                walk(info.filePath());
        }
    };
    walk(folder);
    std::sort(paths.begin(), paths.end());
    return paths;
}

inline Scene makeScene(const QString &id, int order, const QString &title, double duration = 5)
{
    Scene scene;
    scene.id = id;
    scene.order = order;
    scene.title = title;
    scene.durationSeconds = duration;
    scene.createdAt = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    scene.updatedAt = scene.createdAt;
    return scene;
}

inline VideoSettings hd25()
{
    return VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25);
}

// A fresh projects root per test, inside a temporary folder that also has room for files
// "outside" the root.
class StoreTest : public testing::Test
{
protected:
    StoreTest()
        : m_root(m_dir.filePath(QStringLiteral("Projects")))
        , m_store(m_root)
    {
    }

    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    const QString &root() const { return m_root; }
    QString outside(const QString &name) const { return m_dir.filePath(name); }
    LocalProjectStore &store() { return m_store; }

    QString package(const QString &slug, const QString &folder = {}) const
    {
        return (folder.isEmpty() ? m_root : m_root + u'/' + folder) + u'/' + slug
               + QStringLiteral(".veskel");
    }

    StoryboardProject create(const QString &title)
    {
        auto created = m_store.createProject(title, hd25());
        EXPECT_TRUE(created.has_value())
            << (created ? std::string() : created.error().description().toStdString());
        return created.value_or(StoryboardProject{});
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
    LocalProjectStore m_store;
};

} // namespace veskel::test
