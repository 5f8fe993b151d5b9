#include "support/FileList.h"

#include "platform/FolderWalk.h"
#include "platform/Strings.h"
#include "support/PathText.h"
#include "support/PathUtilities.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr size_t kNameSize = sizeof(FileRecord::name);
constexpr uint32_t kDeepestLevel = 16;
// Display names of nested folders are cut to this many characters.
constexpr size_t kDisplayLength = 260;

template <size_t size>
void copyCut(char (&field)[size], const std::string& text)
{
    const size_t length = std::min(text.size(), size - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

bool equalsIgnoringCase(const char* a, const char* b) { return platform::_stricmp(a, b) == 0; }

using platform::EntryKind;

} // namespace

struct FileList::Scan {
    pathtext::ExtensionKey key;
    ScanOptions options;
    uint32_t maxDepth;
};

FileList::~FileList()
{
    files.clear();
    folderList.clear();
    totalFiles = 0;
}

int32_t FileList::scan(const char* folderPath, const char* extension, ScanOptions options)
{
    files.clear();
    folderList.clear();
    const Scan scan{pathtext::ExtensionKey(extension), options,
                    std::min(options.depthLimit - 1, kDeepestLevel)};
    uint32_t count = 0;
    if (pathtext::isWalkableFolderPath(folderPath))
        count = scanFolder(scan, platform::WalkFolder::open(folderPath).get(), folderPath, "", 0, 0);
    // A stable sort keeps equal titles in the order found, so sorting once at the end gives the
    // order that sorting after every folder level would.
    if (options.sortFiles)
        std::stable_sort(files.begin(), files.end(), compareFileTitles);
    totalFiles += count;
    return int32_t(count);
}

uint32_t FileList::scanFolder(const Scan& scan, const platform::WalkFolder* folder, const std::string& folderPath,
                              const std::string& parentDisplay, uint32_t parentId, uint32_t depth)
{
    if (!folder || !pathtext::roomForPattern(folderPath.size()))
        return 0;
    const ScanOptions& options = scan.options;
    uint32_t count = 0;
    for (const platform::WalkEntry& entry : folder->entries()) {
        const char* name = entry.name.c_str();
        if (entry.name.size() >= kNameSize || entry.kind == EntryKind::Link || entry.kind == EntryKind::Unsafe)
            continue; // a link may lead outside or in a circle
        if (entry.kind != EntryKind::Folder) {
            if (scan.key.matches(name) && folderPath.size() + entry.name.size() < kPathSize) {
                addFile(scan, folderPath, parentDisplay, name, parentId);
                ++count;
            }
            continue;
        }
        const bool beyondLimit = depth > scan.maxDepth;
        if (!options.scanFolders || (beyondLimit && !options.mergeBeyondDepth))
            continue;
        std::string display = options.nestFolderNames && !parentDisplay.empty() ? parentDisplay + "\\" + name : name;
        display.resize(std::min(display.size(), kDisplayLength));
        FolderRecord* existing = nullptr;
        for (const FolderRecordPtr& record : folderList.records())
            if (equalsIgnoringCase(record->displayName, display.c_str())) {
                existing = record.get();
                break;
            }
        if (existing && !options.reuseFolders)
            continue;
        const std::string subPath = folderPath + name + "\\";
        if (subPath.size() >= kPathSize)
            continue;
        // Opened through this folder: if a link took its place meanwhile, nothing is entered.
        const auto inner = folder->openFolder(entry.name);
        const bool fits = pathtext::roomForPattern(subPath.size());
        if (beyondLimit || !existing) {
            if (options.collapseEmptyFolders && (!fits || pathtext::countMatching(inner.get(), scan.key, false) == 0)) {
                if (!options.dropEmptyFolders)
                    count += scanFolder(scan, inner.get(), subPath, display, parentId, depth + 1);
            } else if (!beyondLimit) {
                addFolder(scan, inner.get(), subPath, display, name, parentId, depth);
            } else {
                count += scanFolder(scan, inner.get(), subPath, display, parentId, depth + 1);
            }
        } else {
            FolderRecord& record = *existing;
            copyCut(record.path, subPath);
            record.fileCount += scanFolder(scan, inner.get(), subPath, display, record.id, depth + 1);
        }
    }
    return count;
}

void FileList::addFile(const Scan& scan, const std::string& folderPath, const std::string& parentDisplay,
                       const char* name, uint32_t parentId)
{
    auto record = std::make_shared<FileRecord>();
    record->index = uint32_t(files.size());
    record->folderId = parentId;
    copyCut(record->path, folderPath + name);
    std::string shown = scan.options.prefixFileNames && !parentDisplay.empty() ? parentDisplay + "\\" : "";
    shown.append(name, std::min<size_t>(std::strlen(name), size_t(scan.options.nameLength) + scan.key.length));
    copyCut(record->name, shown);
    const size_t nameLength = std::strlen(record->name);
    if (nameLength >= scan.key.length)
        copyCut(record->title, std::string(record->name, nameLength - scan.key.length));
    files.push_back(std::move(record));
}

void FileList::addFolder(const Scan& scan, const platform::WalkFolder* folder, const std::string& subPath,
                         const std::string& display, const char* name, uint32_t parentId, uint32_t depth)
{
    auto record = std::make_shared<FolderRecord>();
    record->id = uint32_t(folderList.count() + 1);
    record->parentId = parentId;
    copyCut(record->displayName, display);
    copyCut(record->name, name);
    std::string titleName = name;
    for (size_t i = 0; i < titleName.size(); ++i) {
        const auto c = static_cast<unsigned char>(titleName[i]);
        titleName[i] = char(c < 0x80 ? (i == 0 ? std::toupper(c) : std::tolower(c)) : c);
    }
    copyCut(record->titleName, titleName);
    copyCut(record->path, subPath);
    folderList.append(record);
    record->fileCount = scanFolder(scan, folder, subPath, display, record->id, depth + 1);
}

const FileRecordPtr& FileList::fileAt(int32_t index) const
{
    return index >= 0 && size_t(index) < files.size() ? files[size_t(index)] : noFile;
}

const FileRecordPtr& FileList::findFile(const char* text) const
{
    for (const FileRecordPtr& record : files)
        if (text && (equalsIgnoringCase(record->name, text) || equalsIgnoringCase(record->title, text)))
            return record;
    return noFile;
}

const FileRecordPtr& FileList::findFileByPath(const char* text) const
{
    for (const FileRecordPtr& record : files)
        if (text && equalsIgnoringCase(record->path, text))
            return record;
    return noFile;
}

uint32_t FileList::countFilesNamed(const char* text) const
{
    return uint32_t(std::count_if(files.begin(), files.end(), [text](const FileRecordPtr& record) {
        return text && (equalsIgnoringCase(record->name, text) || equalsIgnoringCase(record->title, text));
    }));
}

uint32_t FileList::entryCount(bool withFolders) const
{
    return totalFiles + (withFolders ? uint32_t(folderList.count()) : 0);
}

uint32_t FileList::filesInFolder(int32_t folderId) const
{
    if (folderId == 0)
        return totalFiles;
    return uint32_t(std::count_if(files.begin(), files.end(), [folderId](const FileRecordPtr& record) {
        return record->folderId == uint32_t(folderId);
    }));
}

void FileList::rebuildFrom(const FileList& other, int32_t folderId)
{
    if (&other == this)
        return;
    files.clear();
    totalFiles = other.totalFiles;
    folderList.rebuildFrom(other.folderList);
    for (const FileRecordPtr& record : other.files) {
        if (!record)
            break;
        if (folderId < 0 || record->folderId == uint32_t(folderId))
            files.push_back(record);
    }
}

bool compareFileTitles(const FileRecordPtr& a, const FileRecordPtr& b)
{
    return platform::_stricmp(a->title, b->title) < 0;
}
