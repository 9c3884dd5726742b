#include "kindform.h"

#include <algorithm>

int FieldSpec::decodeIndex(int stored) const
{
    const qint64 index = qint64(stored) - offset;
    return index >= 0 && index < entriesI.size() ? int(index) : -1;
}

int FieldSpec::clampPosition(int stored) const
{
    return std::clamp(stored, minimum, maximum);
}
