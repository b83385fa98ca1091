#include "BaseTemplate.h"

#include "ButtonStream.h"

#include <utility>

void TBaseItem::ReadName(TStream &stream) { ReadStreamString(stream, Name); }

void TBaseItem::WriteName(TStream &stream) const { WriteStreamString(stream, Name); }

void TBaseTemplate::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    FItems.erase(FItems.begin() + index);
    Modified = true;
}

void TBaseTemplate::Exchange(int first, int second)
{
    if (first < 0 || second < 0 || first >= Count() || second >= Count())
        return;
    std::swap(FItems[static_cast<size_t>(first)], FItems[static_cast<size_t>(second)]);
}
