#include "core/Sha256.h"

// made by the Go build of beaconsig/
#include "tombolix_beaconsig.h"

namespace tombolix {

QByteArray sha256(QByteArrayView bytes) {
    QByteArray digest(32, Qt::Uninitialized);
    // the Go side only reads the input, in place
    tombolix_sha256(reinterpret_cast<unsigned char *>(const_cast<char *>(bytes.data())), size_t(bytes.size()),
                    reinterpret_cast<unsigned char *>(digest.data()));
    return digest;
}

} // namespace tombolix
