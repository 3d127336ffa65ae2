#include "MonitorItemManagerImpl.h"

#include <algorithm>

#include <boost/format.hpp>

#include "Monitor/FileIo.h"
#include "Monitor/LogSetup.h"
#include "MonitorItemSettingsImpl.h"
#include "ParallelRun.h"
#include "TemporaryMonitorItemSettingsImpl.h"
#include "ValueCodec.h"

namespace {

const char kFolderPrefix[] = "Item_";
const long long kLargestFolderNumber = 1000000000000000LL;

MonitorItemManagerImpl* gStore = nullptr;

// Reading and parsing thousands of item files is most of a start-up; the items are independent.
const std::size_t kLoadThreads = 4;
// A save is mostly waiting for the disk to confirm each file: more threads than processors
// still help, since their waits overlap.
const std::size_t kSaveThreads = 8;

bool removeFrom(MonitorItemManager::ItemList& list, MonitorItemSettings* item)
{
    auto found = std::find(list.begin(), list.end(), item);
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

}  // namespace

MonitorItemManager* MonitorItemManager::instance()
{
    if (!gStore)
        gStore = new MonitorItemManagerImpl();
    return gStore;
}

MonitorItemManagerImpl::MonitorItemManagerImpl() : folderCounter_(0)
{
    LogSetup::getLogger(LogSetup::instance(), logger_, "monitor.MonitorItemManager");
    LOG4CXX_DEBUG(logger_, "Creating unique instance");
}

MonitorItemManagerImpl::~MonitorItemManagerImpl()
{
    LOG4CXX_DEBUG(logger_, "Destroying unique instance");
    if (!temporaryItems_.empty()) {
        LOG4CXX_DEBUG(logger_, (boost::format("%1% temporary items leaked.Leak summary below.") %
                                temporaryItems_.size()).str());
        for (MonitorItemSettings* item : temporaryItems_) {
            LOG4CXX_WARN(logger_,
                         (boost::format("Temporary item leaked: %1% ") % item->getGeneral().name)
                             .str());
            delete item;
        }
        temporaryItems_.clear();
    }
    for (MonitorItemSettings* item : removed_)
        deleteWithFolder(item);
    removed_.clear();
}

int MonitorItemManagerImpl::load(const std::string& dataFolder)
{
    // Hosts pass the folder with or without a trailing backslash; item paths must not get "\\".
    dataFolder_ = FileIo::withoutTrailingSeparators(dataFolder);
    const std::string prefix = kFolderPrefix;
    const std::vector<std::string> names = FileIo::listFolder(dataFolder_);
    std::vector<std::string> folders;
    folders.reserve(names.size());
    for (const std::string& name : names) {
        // Files count too: a new item's folder must not collide with a file of that name.
        if (name.compare(0, prefix.size(), prefix) == 0) {
            long long number = ValueCodec::readDecimal(name.substr(prefix.size()));
            // Far beyond what counting could ever reach: left out, so the counter cannot run over.
            if (number < kLargestFolderNumber)
                folderCounter_ = std::max(folderCounter_, number);
        }
        folders.push_back(FileIo::join(dataFolder_, name));
    }
    std::vector<MonitorItemSettingsImpl*> built(folders.size(), nullptr);
    try {
        ParallelRun::forEach(
            folders.size(), ParallelRun::threadsFor(folders.size(), kLoadThreads, true),
            [&](std::size_t i) {
                if (FileIo::isDirectory(folders[i]) &&
                    FileIo::exists(FileIo::join(folders[i], "options.cfg")))
                    built[i] = new MonitorItemSettingsImpl(folders[i]);
            });
    } catch (...) {
        for (MonitorItemSettingsImpl* item : built)
            delete item;
        throw;
    }
    for (std::size_t i = 0; i < built.size(); ++i) {
        if (!built[i])
            continue;
        built[i]->setName(names[i]);
        items_.push_back(built[i]);
    }
    return 0;
}

int MonitorItemManagerImpl::unloadAll()
{
    // Each item saves its files as it is deleted, independently of the others.
    ItemList items;
    items.swap(items_);
    ParallelRun::forEach(items.size(), ParallelRun::threadsFor(items.size(), kSaveThreads, false),
                         [&](std::size_t i) { delete items[i]; });
    return 0;
}

MonitorItemSettings* MonitorItemManagerImpl::createItem(const std::string&)
{
    // A new item gets a folder of its own: a name already taken (by a folder made since load, or
    // a file) is passed over, never adopted, or two items would save over one folder.
    std::string name;
    std::string folder;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        ++folderCounter_;
        name = kFolderPrefix + std::to_string(folderCounter_);
        folder = FileIo::join(dataFolder_, name);
        if (FileIo::exists(folder))
            continue;
        if (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    MonitorItemSettingsImpl* item = new MonitorItemSettingsImpl(folder);
    item->setName(name);
    items_.push_back(item);
    return item;
}

MonitorItemSettings* MonitorItemManagerImpl::createTemporaryItem(const std::string& name)
{
    TemporaryMonitorItemSettingsImpl* item = new TemporaryMonitorItemSettingsImpl();
    item->getGeneral().name = name;
    temporaryItems_.push_back(item);
    return item;
}

void MonitorItemManagerImpl::deleteItem(MonitorItemSettings* item)
{
    if (removeFrom(items_, item))
        deleteWithFolder(item);
}

void MonitorItemManagerImpl::removeItem(MonitorItemSettings* item)
{
    if (removeFrom(items_, item))
        removed_.push_back(item);
}

void MonitorItemManagerImpl::deleteTemporaryItem(MonitorItemSettings* item)
{
    if (removeFrom(temporaryItems_, item))
        delete item;
}

void MonitorItemManagerImpl::abandonItem(MonitorItemSettings* item)
{
    if (!removeFrom(items_, item))
        return;
    item->save();
    LOG4CXX_WARN(logger_, (boost::format("Item %1% is still in use: saved, not freed") %
                           item->getDirectory()).str());
}

void MonitorItemManagerImpl::release()
{
    if (gStore == this)
        gStore = nullptr;
    delete this;
}

void MonitorItemManagerImpl::deleteWithFolder(MonitorItemSettings* item)
{
    // The item's own folder, not one rebuilt from the data folder: load may have been given
    // another data folder since this item was loaded.
    const std::string folder = item->getDirectory();
    delete item;
    FileIo::removeTree(folder);
}
