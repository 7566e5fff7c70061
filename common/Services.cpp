#include "common/Services.h"

namespace tombolix {

Endpoints Endpoints::real() {
    return {QStringLiteral("www.ppomppu.co.kr"), QStringLiteral("image.ppomppu.co.kr"),
            QUrl(QStringLiteral("http://www.tombolix.kr/tombolix/info.php"))};
}

} // namespace tombolix
