// Named entries kept in an ordered, owning list: the base of the four
// property libraries and of the button templates.
#pragma once

#include "Streams.h"

#include <memory>
#include <string>
#include <vector>

class TBaseItem {
public:
    virtual ~TBaseItem() = default;

    // The name as a length-counted string.
    void ReadName(TStream &stream);
    void WriteName(TStream &stream) const;

    std::string Name;
};

class TBaseTemplate {
public:
    virtual ~TBaseTemplate() = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    TBaseItem &GetItem(int index) const { return *FItems.at(static_cast<size_t>(index)); }

    // Frees every entry; Modified stays as it was.
    void Clear() { FItems.clear(); }
    // Frees the entry at index and sets Modified; an index outside the list
    // does nothing.
    void Delete(int index);
    // Swaps two entries (a move up or down); Modified stays as it was.
    void Exchange(int first, int second);

    bool Modified = false;  // an entry was added or deleted since the last save

protected:
    // Appends an entry read from a file (Modified stays as it was).
    void Append(std::unique_ptr<TBaseItem> item) { FItems.push_back(std::move(item)); }

    std::vector<std::unique_ptr<TBaseItem>> FItems;
};
