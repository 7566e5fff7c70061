// The maker's version answer through the literal evaluator and the start-up decision.
#include "core/Cp949.h"
#include "core/JsLiteral.h"
#include "core/VersionAnswer.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix;
    const QString answer = fromCp949(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (const std::optional<JsValue> value = evaluateJsLiteral(answer))
        (void)jsToString(*value);
    (void)decideVersion(answer);
    (void)decideVersion(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
