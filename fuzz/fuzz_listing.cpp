// Feeds arbitrary bytes to the reader of a server's listing, taken as a PROPFIND's and as a sync
// report's answer. Whatever it accepts must plan without failure, and no planned request may aim at the
// collection itself or outside it.
#include "sharing/PublishPlan.h"

#include <cstdint>
#include <cstdlib>

using namespace hibimo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QUrl collection(QStringLiteral("https://cloud.example.org/dav/family/year/"));
    static const QString collectionKey = resourceKey(collection);
    static const QString collectionText = collection.toString();
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // readMultistatus is these two halves; the reply is read once and taken both ways.
    const std::optional<Multistatus> reply = readMultistatusReply(bytes, collection);
    if (!reply)
        return 0;
    for (bool sync : {false, true}) {
        const std::optional<Listing> listing = listingOf(*reply, collection, sync);
        if (!listing)
            continue;
        PublishRecord record(collection.toString());
        for (const auto& [key, etag] : listing->etags)
            record.resources()[key.section(QLatin1Char('/'), -1).chopped(4)] = {etag, {}};
        CalendarResources events{{QStringLiteral("a"), "x"}, {QStringLiteral("b"), "y"}};
        const Plan plan = planPublish(record, *listing, collection, events);
        for (const Step& step : plan.steps) {
            const QUrl url = resourceUrl(collection, step.uid);
            if (!url.isEmpty() &&
                (resourceKey(url) == collectionKey || !url.toString().startsWith(collectionText)))
                std::abort();
        }
    }
    return 0;
}
