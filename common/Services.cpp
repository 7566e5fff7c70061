#include "common/Services.h"

namespace tombolix {

Endpoints Endpoints::real() {
    // The site's pages give every address in https: a password never travels over plain http.
    return {QStringLiteral("https://www.ppomppu.co.kr"),
            QStringLiteral("image.ppomppu.co.kr"),
            // The answer can end the program or send the user to an address: only over TLS.
            QUrl(QStringLiteral("https://www.tombolix.kr/tombolix/info.php")),
            {QStringLiteral("https://api.drand.sh"), QStringLiteral("https://drand.cloudflare.com")},
            {}};
}

} // namespace tombolix
