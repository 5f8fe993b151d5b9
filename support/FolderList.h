#pragma once

#include "support/FileRecords.h"

#include <vector>

// A list of folder records, shared with the lists it was rebuilt from. The lookups return the
// slot that holds the record found, or the not-found slot.
class FolderList {
public:
    // Empties the list and takes every record of other, up to a null one.
    void rebuildFrom(const FolderList& other);
    void append(FolderRecordPtr record) { folders.push_back(std::move(record)); }
    void clear() { folders.clear(); }

    // By position (0-based). An empty list or a negative index gives the not-found slot as it is;
    // a search that finds nothing empties that slot first.
    FolderRecordPtr& folderAt(int32_t index);
    // By display name, ignoring case.
    FolderRecordPtr& findFolder(const char* text);
    // By path, ignoring case.
    FolderRecordPtr& findFolderByPath(const char* text);

    size_t count() const { return folders.size(); }
    const std::vector<FolderRecordPtr>& records() const { return folders; }
    // The next record, or null once the iterator has passed the end (or is null).
    FolderRecord* next(ListIterator* iterator) const;

private:
    FolderRecordPtr& notFoundAfterSearch();

    std::vector<FolderRecordPtr> folders;
    FolderRecordPtr notFound;
};

// Steps an iterator over a list of records.
template <typename Record>
Record* nextRecord(const std::vector<std::shared_ptr<Record>>& list, ListIterator* iterator)
{
    if (!iterator || iterator->finished)
        return nullptr;
    if (!iterator->started) {
        iterator->started = true;
        iterator->position = 0;
    }
    if (iterator->position >= list.size()) {
        iterator->finished = true;
        return nullptr;
    }
    return list[iterator->position++].get();
}
