// libFuzzer target: the stored-value encodings of list and track-bar fields.
// Input (little endian): offset, minimum, maximum as 32-bit integers, the
// list length as one byte, then stored values as 32-bit integers.
#include "kindform.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool take(const uint8_t *&data, size_t &size, qint32 &out)
{
    if (size < 4)
        return false;
    const quint32 u =
        quint32(data[0]) | quint32(data[1]) << 8 | quint32(data[2]) << 16 | quint32(data[3]) << 24;
    std::memcpy(&out, &u, sizeof out);
    data += 4;
    size -= 4;
    return true;
}

bool fitsInt(qint64 v)
{
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FieldSpec spec;
    qint32 offset = 0;
    qint32 minimum = 0;
    qint32 maximum = 0;
    if (!take(data, size, offset) || !take(data, size, minimum) || !take(data, size, maximum)
        || size < 1)
        return 0;
    const int count = *data++;
    --size;
    // Kind tables only hold ordered track-bar ranges.
    if (minimum > maximum)
        std::swap(minimum, maximum);
    spec.offset = offset;
    spec.minimum = minimum;
    spec.maximum = maximum;
    for (int i = 0; i < count; ++i)
        spec.entriesI.append(QString());

    // Every index of the list is stored as a value that reads back as it.
    for (int index = 0; index < count; ++index) {
        if (fitsInt(qint64(index) + offset))
            check(spec.decodeIndex(spec.encode(index)) == index);
    }
    // No selection is saved as a value that loads as no selection again,
    // for every offset that leaves room for it.
    if (offset > std::numeric_limits<int>::min())
        check(spec.decodeIndex(spec.encode(-1)) == -1);

    qint32 stored = 0;
    while (take(data, size, stored)) {
        const int index = spec.decodeIndex(stored);
        const qint64 expected = qint64(stored) - offset;
        if (expected >= 0 && expected < count) {
            check(index == expected);
            check(spec.encode(index) == stored);
        } else {
            check(index == -1);
        }

        const int position = spec.clampPosition(stored);
        check(position >= minimum && position <= maximum);
        if (stored >= minimum && stored <= maximum)
            check(position == stored);
        check(spec.clampPosition(position) == position);
    }
    return 0;
}
