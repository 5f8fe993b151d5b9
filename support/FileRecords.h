#pragma once

// The records of the file lists. Lists hold shared handles to them: a rebuilt list shares the
// records of the list it came from, and a record lives as long as some list or caller holds it.

#include <cstddef>
#include <cstdint>
#include <memory>

struct FileRecord {
    uint32_t index = 0;    // records in the list when it was added
    uint32_t folderId = 0; // the folder record it was counted for, 0 at the top level
    char name[128] = {};
    char title[128] = {}; // the name less its extension
    char path[512] = {};
};

struct FolderRecord {
    uint32_t id = 0; // 1 for the first
    uint32_t parentId = 0;
    uint32_t fileCount = 0;
    char displayName[128] = {};
    char name[128] = {};
    char titleName[128] = {}; // lower case, the first character upper case
    char path[512] = {};      // ends with a backslash
};

using FileRecordPtr = std::shared_ptr<FileRecord>;
using FolderRecordPtr = std::shared_ptr<FolderRecord>;

struct ScanOptions {
    uint8_t sortFiles = 0;   // by title, after the scan
    uint8_t scanFolders = 0; // descend into sub-folders
    // Folder levels that get records: the deepest is min(depthLimit - 1, 16), unsigned, so 0 acts
    // as 17.
    uint32_t depthLimit = 0;
    uint8_t reuseFolders = 0;     // a folder whose display name is known is scanned into that record
    uint8_t mergeBeyondDepth = 0; // deeper folders are scanned, their files counted one level up
    uint8_t nestFolderNames = 0;  // display names "parent\name"
    uint8_t prefixFileNames = 0;  // file names "folder display name\file name"
    uint8_t collapseEmptyFolders = 0; // a new folder without matching files gets no record...
    uint8_t dropEmptyFolders = 0;     // ...and, with this, is not scanned at all
    uint32_t nameLength = 0;          // characters of a file's name kept, besides its extension
};

// A position in a list; a zeroed iterator is at the start.
struct ListIterator {
    bool finished = false;
    bool started = false;
    size_t position = 0;

    void reset() { *this = {}; }
};
