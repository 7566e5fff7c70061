#include "common/Services.h"

namespace tombolix {

Endpoints Endpoints::real() {
    // The site's pages give every address in https: a password never travels over plain http.
    return {QStringLiteral("https://www.ppomppu.co.kr"),
            QStringLiteral("image.ppomppu.co.kr"),
            QUrl(QStringLiteral("http://www.tombolix.kr/tombolix/info.php")),
            {}};
}

} // namespace tombolix
