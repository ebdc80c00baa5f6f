// Feeds arbitrary bytes to the readers of the sharing files, chosen by the first byte: the publish
// record, the publishing settings, the folder identity and the export choices. A record or settings
// that read must, once written, read back the same after a second writing.
#include "sharing/CalDavSettings.h"
#include "sharing/ExportChoices.h"
#include "sharing/FolderIdentity.h"
#include "sharing/PublishRecord.h"

#include <cstdint>
#include <cstdlib>

using namespace hibimo;

namespace {

void record(QByteArrayView bytes) {
    const std::optional<PublishRecord> read = PublishRecord::fromBytes(bytes);
    if (!read)
        return;
    const std::optional<PublishRecord> once = PublishRecord::fromBytes(read->bytes());
    if (!once || PublishRecord::fromBytes(once->bytes()) != once)
        std::abort();
}

void settings(QByteArrayView bytes) {
    // A URL is either usable or explained, never both.
    const CalDavSettings read = calDavSettingsFromBytes(bytes);
    if (read.configured() && (!read.problem.isEmpty() || !calDavUrlProblem(read.url).isEmpty()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    switch (data[0] % 4) {
    case 0:
        record(bytes);
        break;
    case 1:
        settings(bytes);
        break;
    case 2:
        if (const QString id = identityFromBytes(bytes); !id.isEmpty() && id.size() != 36)
            std::abort();
        break;
    default:
        exportChoicesFromBytes(bytes);
        break;
    }
    return 0;
}
