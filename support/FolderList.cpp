#include "support/FolderList.h"

#include "platform/Strings.h"

void FolderList::rebuildFrom(const FolderList& other)
{
    if (&other == this)
        return;
    folders.clear();
    for (const FolderRecordPtr& record : other.folders) {
        if (!record)
            break;
        folders.push_back(record);
    }
}

FolderRecordPtr& FolderList::notFoundAfterSearch()
{
    notFound.reset();
    return notFound;
}

FolderRecordPtr& FolderList::folderAt(int32_t index)
{
    if (folders.empty() || index < 0)
        return notFound;
    return size_t(index) < folders.size() ? folders[size_t(index)] : notFoundAfterSearch();
}

FolderRecordPtr& FolderList::findFolder(const char* text)
{
    if (folders.empty())
        return notFound;
    for (FolderRecordPtr& record : folders)
        if (text && record && platform::_stricmp(record->displayName, text) == 0)
            return record;
    return notFoundAfterSearch();
}

FolderRecordPtr& FolderList::findFolderByPath(const char* text)
{
    if (folders.empty())
        return notFound;
    for (FolderRecordPtr& record : folders)
        if (text && record && platform::_stricmp(record->path, text) == 0)
            return record;
    return notFoundAfterSearch();
}

FolderRecord* FolderList::next(ListIterator* iterator) const
{
    return nextRecord(folders, iterator);
}
