// The maker's version answer, up to the 1 MiB the start-up check reads, through the literal
// evaluator and the start-up decision.
#include "core/Cp949.h"
#include "core/VersionAnswer.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix;
    (void)decideVersion(fromCp949(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))));
    return 0;
}
