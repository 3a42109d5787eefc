// The project file reader on any bytes. A project it reads, repaired as the store repairs it,
// is written and read back equal (members of later versions included), written the same way
// again, and leaves the repair nothing more to do. Writing fails only on a non-finite number.

#include "FuzzCheck.h"

#include "StoryboardCore/Script/ProjectMigration.h"
#include "StoryboardCore/Storage/ProjectJSONCodec.h"

using namespace veskel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    auto decoded
        = ProjectJSONCodec::decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!decoded)
        return 0;
    ProjectMigration::ensureBlocksBackEveryScene(*decoded);
    StoryboardProject repairedTwice = *decoded;
    VESKEL_FUZZ_CHECK(!ProjectMigration::ensureBlocksBackEveryScene(repairedTwice));

    const auto encoded = ProjectJSONCodec::encode(*decoded);
    if (!encoded) {
        VESKEL_FUZZ_CHECK(encoded.error().kind == ProjectCodecError::Kind::nonFiniteNumber);
        return 0;
    }
    const auto again = ProjectJSONCodec::decode(*encoded);
    VESKEL_FUZZ_CHECK(again.has_value());
    VESKEL_FUZZ_CHECK(*again == *decoded);
    VESKEL_FUZZ_CHECK(ProjectJSONCodec::encode(*again) == encoded);
    return 0;
}
