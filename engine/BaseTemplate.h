// Named entries kept in an ordered, owning list: the base of the four
// property libraries and of the button templates.
#pragma once

#include "DisplayText.h"
#include "Streams.h"

#include <functional>
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

    // The file loaded last was renamed: a damaged one is still kept aside
    // before its first save under the new name.
    void FileRenamed(const std::string &oldPath, const std::string &newPath);

    bool Modified = false;  // an entry was added or deleted since the last save

protected:
    // Appends an entry read from a file (Modified stays as it was).
    void Append(std::unique_ptr<TBaseItem> item) { FItems.push_back(std::move(item)); }

    // Appends the entries that read takes from the file at path. A file
    // that cannot be read whole (read raises, or bytes are left after the
    // last entry) ends the load quietly with the entries read before the
    // damage, and is remembered as read in part. A file that cannot be
    // opened, a missing one too (it may be back by the next save), adds
    // nothing and is remembered as not read; returns the system's reason
    // when it is there all the same, else nothing.
    std::string LoadEntries(const std::string &path, const std::function<void(TStream &)> &read);

    // Replaces the file at path by what write puts into it (SaveFile). The
    // first save over a file read in part or not read keeps that file
    // beside it under a free name first (path + ".damaged", then
    // ".damaged-2", ...) and says so once, naming the file, what was read
    // and the copy; a copy that cannot be made is the save error of the
    // copy and leaves the file as it was.
    void SaveEntries(const std::string &path, const std::function<void(TStream &)> &write);

    std::vector<std::unique_ptr<TBaseItem>> FItems;

private:
    void KeepDamagedFile();

    std::string FDamagedFile;  // the file loaded last, when it was not read whole
    TDisplayText FDamage;      // what was read of it, as the message says it
};
