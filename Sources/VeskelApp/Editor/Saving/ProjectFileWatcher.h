#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

namespace veskel {

// Watches one package's project.json for changes made by anyone (a sync tool, veskel-cli, an
// editor). Saves replace the file by renaming, which a watch on the file alone loses, so the
// package folder is watched too and the file is watched again whenever it reappears. Our own
// saves are reported as well: the editor tells them apart by the file's stamp.
class ProjectFileWatcher : public QObject
{
    Q_OBJECT

public:
    explicit ProjectFileWatcher(const QString &packagePath, QObject *parent = nullptr);

signals:
    void changed();

private:
    void watchFile();

    QFileSystemWatcher m_watcher;
    QString m_file;
};

} // namespace veskel
