#pragma once

#include "NarrationKit/NarrationAudio.h"
#include "NarrationKit/NarrationKey.h"

#include <QCache>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

namespace veskel {

// Narrations already made: a bounded memory cache in front of WAV files in a folder. A file
// that cannot be read back exactly (truncated, another format, garbage) is removed and counts as
// missing, so it is simply made again. Safe to use from several threads.
class NarrationCache
{
public:
    // Bytes of samples kept in memory.
    static constexpr qsizetype memoryLimit = 64 * 1024 * 1024;

    // `directory` is created when the first narration is stored; empty keeps narrations in
    // memory only. `engineVersion` goes into every file name, so a new espeak-ng reads again.
    explicit NarrationCache(QString directory, QString engineVersion = {});

    // The user's cache folder: "narration" under QStandardPaths::CacheLocation.
    static QString defaultDirectory();

    std::shared_ptr<const NarrationAudio> find(const NarrationKey &key);
    void store(const NarrationKey &key, std::shared_ptr<const NarrationAudio> audio);

    // The file a narration is kept in; empty without a directory.
    QString filePath(const NarrationKey &key) const;

private:
    QString m_directory;
    QString m_engineVersion;
    std::mutex m_mutex;
    // QCache owns what it holds; it holds a shared pointer so a caller can keep the audio.
    QCache<NarrationKey, std::shared_ptr<const NarrationAudio>> m_memory{memoryLimit};
};

} // namespace veskel
