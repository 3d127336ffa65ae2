#include "MonitorItemManagerImpl.h"

#include <algorithm>

#include <boost/format.hpp>

#include "FileIo.h"
#include "Monitor/LogSetup.h"
#include "MonitorItemSettingsImpl.h"
#include "TemporaryMonitorItemSettingsImpl.h"
#include "ValueCodec.h"

namespace {

const char kFolderPrefix[] = "Item_";
const long long kLargestFolderNumber = 1000000000000000LL;

MonitorItemManagerImpl* gStore = nullptr;

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
    for (const std::string& name : FileIo::listFolder(dataFolder_)) {
        // Files count too: a new item's folder must not collide with a file of that name.
        if (name.compare(0, prefix.size(), prefix) == 0) {
            long long number = ValueCodec::readDecimal(name.substr(prefix.size()));
            // Far beyond what counting could ever reach: left out, so the counter cannot run over.
            if (number < kLargestFolderNumber)
                folderCounter_ = std::max(folderCounter_, number);
        }
        const std::string folder = FileIo::join(dataFolder_, name);
        if (!FileIo::isDirectory(folder) || !FileIo::exists(FileIo::join(folder, "options.cfg")))
            continue;
        MonitorItemSettingsImpl* item = new MonitorItemSettingsImpl(folder);
        item->setName(name);
        items_.push_back(item);
    }
    return 0;
}

int MonitorItemManagerImpl::unloadAll()
{
    for (MonitorItemSettings* item : items_)
        delete item;
    items_.clear();
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
