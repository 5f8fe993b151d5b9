#pragma once

#include "support/FileRecords.h"
#include "support/FolderList.h"

#include <string>
#include <vector>

namespace platform {
class WalkFolder;
}

// The files below one folder that carry one extension, with the sub-folders that hold them.
// Used from one thread; a scan blocks it for the walk. Links are neither entered nor listed, and a
// path that would not fit its record is skipped, never cut.
class FileList {
public:
    FileList() = default;
    ~FileList();
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    // Empties both lists, scans folderPath (ending with a backslash) and returns the files counted
    // at the top level, which are also added to the running total.
    int32_t scan(const char* folderPath, const char* extension, ScanOptions options);

    // The slot of the record at index (0-based), or the always-null slot.
    const FileRecordPtr& fileAt(int32_t index) const;
    // The first record whose name or title is text, ignoring case.
    const FileRecordPtr& findFile(const char* text) const;
    const FileRecordPtr& findFileByPath(const char* text) const;
    size_t recordCount() const { return files.size(); }
    uint32_t countFilesNamed(const char* text) const;
    // The running total, plus the folder records when asked.
    uint32_t entryCount(bool withFolders) const;
    // The running total for 0, else the records counted for that folder.
    uint32_t filesInFolder(int32_t folderId) const;
    // Takes other's total, folders and either all its file records (folderId < 0) or those of
    // one folder, sharing the records.
    void rebuildFrom(const FileList& other, int32_t folderId);

    FolderList& folders() { return folderList; }
    FileRecord* next(ListIterator* iterator) const { return nextRecord(files, iterator); }

private:
    struct Scan;
    uint32_t scanFolder(const Scan& scan, const platform::WalkFolder* folder, const std::string& folderPath,
                        const std::string& parentDisplay, uint32_t parentId, uint32_t depth);
    void addFile(const Scan& scan, const std::string& folderPath, const std::string& parentDisplay, const char* name,
                 uint32_t parentId);
    void addFolder(const Scan& scan, const platform::WalkFolder* folder, const std::string& subPath,
                   const std::string& display, const char* name, uint32_t parentId, uint32_t depth);

    std::vector<FileRecordPtr> files;
    uint32_t totalFiles = 0;
    const FileRecordPtr noFile;
    FolderList folderList;
};

// True when a's title sorts before b's, ignoring case.
bool compareFileTitles(const FileRecordPtr& a, const FileRecordPtr& b);
