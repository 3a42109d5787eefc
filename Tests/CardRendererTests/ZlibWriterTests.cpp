#include "CardRenderer/Deflate/ZlibWriter.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace veskel {
namespace {

QByteArray noise(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

struct StreamCase
{
    const char *name;
    std::function<QByteArray()> make;
    // Bytes given to the writer at a time.
    qsizetype piece;
    // The largest compressed size that still counts as finding the repeats.
    double mostRatio;
};

class ZlibWriterTest : public ::testing::TestWithParam<StreamCase>
{
};

TEST_P(ZlibWriterTest, inflatesToTheSameBytes)
{
    const QByteArray data = GetParam().make();
    ZlibWriter zlib(data.size());
    for (qsizetype at = 0; at < data.size(); at += GetParam().piece) {
        const qsizetype size = std::min(GetParam().piece, data.size() - at);
        std::memcpy(zlib.space(size_t(size)), data.constData() + at, size_t(size));
        zlib.append(size_t(size));
    }
    const QByteArray stream = zlib.finish();

    // qUncompress takes the length first; zlib checks the stream's Adler-32 at its end.
    QByteArray length(4, '\0');
    qToBigEndian(quint32(data.size()), length.data());
    EXPECT_TRUE(qUncompress(length + stream) == data);
    EXPECT_LE(double(stream.size()), GetParam().mostRatio * double(data.size()) + 64);
}

INSTANTIATE_TEST_SUITE_P(
    Streams,
    ZlibWriterTest,
    ::testing::Values(
        StreamCase{"oneByte", [] { return QByteArray("x"); }, 1, 64},
        // Runs go on across every refill of the buffer.
        StreamCase{"zeros", [] { return QByteArray(3'000'000, '\0'); }, 7681, 0.01},
        StreamCase{"noise", [] { return noise(700'000, 1); }, 1000, 1.01},
        // Copies reach back into bytes given in earlier pieces, up to the whole window.
        StreamCase{"shortRepeats", [] { return noise(1000, 2).repeated(1000); }, 333, 0.05},
        StreamCase{"repeatsAWindowApart", [] { return noise(32768, 3).repeated(20); }, 15361, 0.2},
        StreamCase{"repeatsBeyondTheWindow", [] { return noise(32769, 4).repeated(4); }, 4096,
                   1.01},
        // A piece larger than the buffer makes it grow.
        StreamCase{"largePieces", [] { return noise(2000, 5).repeated(500); }, 600'000, 0.05}),
    [](const auto &info) { return std::string(info.param.name); });

// Rows as the PNG encoder gives them: a filter byte, then samples, all zeros in most rows,
// which it declares. The declaration only saves reading them: the stream is the same as
// without it. Rows of only zeros (runs across rows), rows larger than the buffer, and a
// declared tail right after a copy are among them.
TEST(ZlibWriter, declaredZerosGiveTheSameStream)
{
    QByteArray data;
    const auto compress = [&data](bool declare) {
        data.clear();
        ZlibWriter zlib(0);
        QRandomGenerator random(9);
        for (int row = 0; row < 700; ++row) {
            const size_t size = row % 50 == 7 ? 300'000 : 7681;
            const int kind = int(random.bounded(4));
            uchar *bytes = zlib.space(size);
            std::memset(bytes, 0, size);
            bytes[0] = kind == 3 ? 0 : 2;
            if (kind == 0) {
                for (size_t k = 1; k < size; k += 1 + random.bounded(200))
                    bytes[k] = uchar(random.bounded(256));
            }
            data.append(reinterpret_cast<const char *>(bytes), qsizetype(size));
            const size_t zeroTail = declare && kind != 0 ? (kind == 3 ? size : size - 1) : 0;
            zlib.append(size, zeroTail);
        }
        return zlib.finish();
    };
    const QByteArray declared = compress(true);
    EXPECT_EQ(declared, compress(false));
    QByteArray length(4, '\0');
    qToBigEndian(quint32(data.size()), length.data());
    EXPECT_TRUE(qUncompress(length + declared) == data);
}

} // namespace
} // namespace veskel
