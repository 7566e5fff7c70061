// The public draw's files, a relay's answer and an announcement as entrants paste it: an
// announcement, a result file, a round's JSON and a post's text.
#include "core/DrawVerification.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix;
    using namespace tombolix::publicdraw;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeDrawFile(bytes).value_or(QString::fromUtf8(bytes));

    if (const Expected<Announcement> announced = parseAnnouncement(text)) {
        // what the program writes of it reads back the same, and announces the same terms
        const Expected<Announcement> reread = parseAnnouncement(announcementText(*announced));
        if (!reread || reread->list != announced->list ||
            reread->terms.listSha256 != announced->terms.listSha256 ||
            reread->terms.label != announced->terms.label ||
            announcementCode(reread->terms) != announcementCode(announced->terms))
            std::abort();
        if (announcementProblem(text, announced->terms))
            std::abort();
    } else if (announced.problem().isEmpty()) {
        std::abort(); // a refusal always says why
    }

    const QStringList relays{QStringLiteral("api.drand.sh"), QStringLiteral("drand.cloudflare.com")};
    const Verified verified = verifyResult(text, relays);
    if (!verified.problem) {
        if (!verified.result)
            std::abort();
        // a verified file is what the rule writes for it
        if (verifyResult(resultText(*verified.result), relays).problem)
            std::abort();
    }

    // any text as a pasted announcement: a refusal always says why
    const Terms terms{sha256Hex(bytes), 3, 1, 1, 42, QStringLiteral("나눔"), {}};
    if (const std::optional<QString> why = announcementProblem(text, terms); why && why->isEmpty())
        std::abort();

    // any text as a post copied from the site: what reads as a post writes back as one that reads the same
    if (const std::optional<Expected<PostedAnnouncement>> post = readAnnouncementPost(text); post && *post) {
        const Announcement again{(*post)->terms, (*post)->list.value_or(QStringList())};
        if ((*post)->list) {
            const std::optional<Expected<PostedAnnouncement>> reread =
                readAnnouncementPost(announcementPost(again));
            if (!reread || !*reread || announcementCode((*reread)->terms) != announcementCode(again.terms) ||
                (*reread)->list != (*post)->list)
                std::abort();
        }
        if (announcementProblem(text, (*post)->terms) && announcementProblem(text, (*post)->terms)->isEmpty())
            std::abort();
    }
    if (const std::optional<Expected<PostedResult>> post = readResultPost(text); post && *post) {
        if ((*post)->code.size() != 64 || (*post)->signature.size() != 96)
            std::abort();
        (void)verifyPostedResult(**post, text);
    }

    if (const Expected<Round> round = parseRound(bytes, 42)) {
        if (round->number != 42 || roundProblem(*round, 42))
            std::abort();
    }
    return 0;
}
