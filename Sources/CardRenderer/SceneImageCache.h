#pragma once

#include "CardRenderer/SceneImageDecoding.h"
#include "StoryboardCore/Models/SceneImage.h"

#include <QImage>
#include <QSizeF>
#include <QString>

#include <future>
#include <list>
#include <mutex>
#include <optional>

namespace veskel {

// Reference images decoded once for everything an export draws them into: its cards and its
// storyboard PDF, on different threads, ask for the same files, mostly decoded the same way
// (a PDF page costs tens of milliseconds). One asking while another decodes waits for that
// image. An image is let go once handed out twice (its card and its storyboard picture), and
// the oldest go while the images kept take more than the budget.
class SceneImageCache
{
public:
    explicit SceneImageCache(qsizetype budgetBytes = qsizetype(128) * 1024 * 1024);

    // What SceneImageLoader::load gives for the same arguments.
    std::optional<QImage>
    load(const QString &filePath, SceneImage::MimeType mimeType, QSizeF coverSize);

private:
    using Decoded = std::shared_future<std::optional<QImage>>;
    struct Entry
    {
        SceneImageDecoding decoding;
        Decoded image;
        int handedOut = 1;
        qsizetype bytes = 0;
    };

    void drop(std::list<Entry>::iterator entry);

    const qsizetype m_budget;
    std::mutex m_mutex;
    std::list<Entry> m_entries;
    qsizetype m_bytes = 0;
};

} // namespace veskel
