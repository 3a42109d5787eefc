#include "NarrationKit/NarrationCache.h"

#include "NarrationKit/WavFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace veskel {

namespace {

qsizetype cost(const NarrationAudio &audio)
{
    return std::max<qsizetype>(1, audio.samples.size() * qsizetype(sizeof(qint16)));
}

} // namespace

NarrationCache::NarrationCache(QString directory, QString engineVersion)
    : m_directory(std::move(directory))
    , m_engineVersion(std::move(engineVersion))
{
}

QString NarrationCache::defaultDirectory()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/narration");
}

QString NarrationCache::filePath(const NarrationKey &key) const
{
    if (m_directory.isEmpty())
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &part :
         {m_engineVersion, rawValue(key.voice), QString::number(key.wordsPerMinute), key.text}) {
        hash.addData(part.toUtf8());
        hash.addData(QByteArrayView("\0", 1)); // no two keys run together into one text
    }
    return m_directory + u'/' + QString::fromLatin1(hash.result().toHex()) + QStringLiteral(".wav");
}

std::shared_ptr<const NarrationAudio> NarrationCache::find(const NarrationKey &key)
{
    {
        std::lock_guard lock(m_mutex);
        if (const auto *held = m_memory.object(key))
            return *held;
    }
    const QString path = filePath(key);
    if (path.isEmpty())
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    std::optional<NarrationAudio> decoded = WavFile::decode(file.readAll());
    file.close();
    if (!decoded) {
        QFile::remove(path);
        return nullptr;
    }
    auto audio = std::make_shared<const NarrationAudio>(std::move(*decoded));
    std::lock_guard lock(m_mutex);
    m_memory.insert(key, new std::shared_ptr<const NarrationAudio>(audio), cost(*audio));
    return audio;
}

void NarrationCache::store(const NarrationKey &key, std::shared_ptr<const NarrationAudio> audio)
{
    if (!audio)
        return;
    const QString path = filePath(key);
    // A cache that cannot be written only costs a synthesis later.
    if (!path.isEmpty() && QDir().mkpath(m_directory))
        (void)WavFile::write(path, *audio);
    std::lock_guard lock(m_mutex);
    const qsizetype audioCost = cost(*audio);
    m_memory.insert(key, new std::shared_ptr<const NarrationAudio>(std::move(audio)), audioCost);
}

} // namespace veskel
