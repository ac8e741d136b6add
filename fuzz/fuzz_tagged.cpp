#include "SequentialBytes.h"
#include "files/TaggedFile.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

TaggedFile::ReadResult readBytes(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return TaggedFile::read(buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TaggedFile::ReadResult result = readBytes(bytes);

    // A pipe must decode the same records, whatever error line it ends on.
    SequentialBytes pipe(bytes);
    if (TaggedFile::read(pipe).records.size() != result.records.size())
        std::abort();

    // Any grid read must survive being written and read again.
    for (const TaggedFile::Record& r : result.records) {
        if (r.kind != TaggedFile::Record::Kind::Grid)
            continue;
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        if (!TaggedFile::writeMaze(buffer, TaggedFile::Settings(), r.grid))
            std::abort();
        const TaggedFile::ReadResult again = readBytes(out);
        if (!again.error.isEmpty() || again.records.back().grid != r.grid)
            std::abort();
    }
    return 0;
}
