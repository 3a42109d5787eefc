#pragma once

#include <QString>

#include <array>

namespace veskel {

// Many new UUIDs in a row, in the same upper-case 8-4-4-4-12 version-4 form as makeUUID(), for
// the parser that names every block anew after each keystroke. Random bytes are drawn in
// batches instead of one request per id, and the text is written directly.
class BatchedUUIDGenerator
{
public:
    QString next();

private:
    static constexpr int idsPerBatch = 64;
    std::array<quint32, idsPerBatch * 4> m_random{};
    int m_used = idsPerBatch;
};

} // namespace veskel
