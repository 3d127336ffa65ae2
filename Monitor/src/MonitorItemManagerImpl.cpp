#include "MonitorItemManagerImpl.h"

#include <algorithm>
#include <exception>

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

// Items of a data folder built by a few threads at once: reading and parsing thousands of item
// files is most of a start-up, and the items are independent of each other.
class ParallelLoad {
public:
    explicit ParallelLoad(const std::vector<std::string>& folders)
        : folders_(folders), items_(folders.size(), nullptr), next_(0)
    {
    }

    // The items in the order of the folders; nullptr where a folder holds no item.
    std::vector<MonitorItemSettingsImpl*> run()
    {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        std::size_t threads = std::min<std::size_t>({4, system.dwNumberOfProcessors,
                                                     folders_.size() / 64});
        std::vector<HANDLE> started;
        for (std::size_t i = 1; i < threads; ++i) {
            HANDLE thread = CreateThread(nullptr, 0, &ParallelLoad::threadMain, this, 0, nullptr);
            if (thread)
                started.push_back(thread);
        }
        // This thread works too, so the load finishes even when no thread could be started.
        work();
        for (HANDLE thread : started) {
            WaitForSingleObject(thread, INFINITE);
            CloseHandle(thread);
        }
        if (failure_) {
            for (MonitorItemSettingsImpl* item : items_)
                delete item;
            std::rethrow_exception(failure_);
        }
        return items_;
    }

private:
    static DWORD WINAPI threadMain(void* self)
    {
        static_cast<ParallelLoad*>(self)->work();
        return 0;
    }

    void work()
    {
        for (;;) {
            const LONG index = InterlockedIncrement(&next_) - 1;
            if (index < 0 || static_cast<std::size_t>(index) >= folders_.size())
                return;
            const std::string& folder = folders_[index];
            try {
                if (FileIo::isDirectory(folder) &&
                    FileIo::exists(FileIo::join(folder, "options.cfg")))
                    items_[index] = new MonitorItemSettingsImpl(folder);
            } catch (...) {
                // Kept for the loading thread; the other folders are still built and then
                // freed there.
                EnterCriticalSection(lock_.get());
                if (!failure_)
                    failure_ = std::current_exception();
                LeaveCriticalSection(lock_.get());
            }
        }
    }

    struct Lock {
        Lock() { InitializeCriticalSection(&section); }
        ~Lock() { DeleteCriticalSection(&section); }
        CRITICAL_SECTION* get() { return &section; }
        CRITICAL_SECTION section;
    };

    const std::vector<std::string>& folders_;
    std::vector<MonitorItemSettingsImpl*> items_;
    volatile LONG next_;
    Lock lock_;
    std::exception_ptr failure_;
};

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
    const std::vector<MonitorItemSettingsImpl*> built = ParallelLoad(folders).run();
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
