#include "link/ModuleLink.h"

#include <algorithm>
#include <utility>

namespace corsel {
namespace {

std::string loadFailureText(const LibraryLoadFailure& failure) {
    if (failure.function.empty()) {
        return "Error: Can't Load " + failure.library;
    }
    return "Error: Can't find " + failure.function + "() in " + failure.library;
}

// hidapi lists a device once per usage, all under one path; the interface
// indexes count each path once, in the order it first appears.
std::vector<std::string> distinctPaths(const std::vector<std::string>& listed) {
    std::vector<std::string> paths;
    for (const auto& path : listed) {
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) {
            paths.push_back(path);
        }
    }
    return paths;
}

}  // namespace

ModuleLink::ModuleLink(HidBackend& backend, Prompter& prompter)
    : backend_(backend), prompter_(prompter) {}

ModuleLink::~ModuleLink() {
    CloseModule();
}

bool ModuleLink::LoadHidLibrary() {
    return loadAndReport(&HidBackend::loadHidLibrary, hidLibraryLoaded_);
}

bool ModuleLink::LoadSetupLibrary() {
    return loadAndReport(&HidBackend::loadSetupLibrary, setupLibraryLoaded_);
}

bool ModuleLink::loadAndReport(LibraryLoader load, bool& loaded) {
    std::optional<std::string> message;
    {
        std::lock_guard lock(mutex_);
        message = loadLocked(load, loaded);
    }
    if (message) {
        show(*message);
    }
    return !message;
}

std::optional<std::string> ModuleLink::loadLocked(LibraryLoader load, bool& loaded) {
    if (loaded) {
        return std::nullopt;
    }
    if (auto failure = (backend_.*load)()) {
        return loadFailureText(*failure);
    }
    loaded = true;
    return std::nullopt;
}

bool ModuleLink::OpenModule(std::uint16_t vendorId, std::uint16_t productId) {
    std::optional<std::string> message;
    bool found = false;
    {
        std::lock_guard lock(mutex_);
        found = openLocked(vendorId, productId, message);
    }
    // The message box is shown outside the lock: the watchdog may need the
    // link while the user reads it.
    if (message) {
        show(*message);
    }
    return found;
}

bool ModuleLink::openLocked(std::uint16_t vendorId, std::uint16_t productId,
                            std::optional<std::string>& message) {
    if (reloadLibraries_) {
        reloadLibraries_ = false;
        message = loadLocked(&HidBackend::loadHidLibrary, hidLibraryLoaded_);
        if (!message) {
            message = loadLocked(&HidBackend::loadSetupLibrary, setupLibraryLoaded_);
        }
        if (message) {
            closeLocked();
            return false;
        }
    }
    // Handles left from an earlier open are closed, not leaked.
    closeHandlesLocked();
    const auto listed = backend_.listInterfaces();
    if (!listed) {
        closeLocked();
        return false;
    }
    const std::vector<std::string> interfaces = distinctPaths(*listed);

    if (rememberedIndex_ == kNoRememberedIndex) {
        for (std::uint16_t index = 0; index < kInterfaceIndexLimit; ++index) {
            if (probeIndex(interfaces, index, vendorId, productId)) {
                rememberedIndex_ = index;
                return true;
            }
        }
    } else if (probeIndex(interfaces, rememberedIndex_, vendorId, productId)) {
        return true;
    }
    closeLocked();
    return false;
}

// Opens the interface at `index` and keeps its handles when it has the
// identity asked for; otherwise leaves no handle open.
bool ModuleLink::probeIndex(const std::vector<std::string>& interfaces, std::uint16_t index,
                            std::uint16_t vendorId, std::uint16_t productId) {
    if (index >= interfaces.size()) {
        return false;
    }
    const std::string& path = interfaces[index];
    if (singleHandleMode_) {
        queryHandle_ = backend_.open(path, HidAccess::ReadWrite);
    } else {
        queryHandle_ = backend_.open(path, HidAccess::Query);
        writeHandle_ = backend_.open(path, HidAccess::Write);
        readHandle_ = backend_.open(path, HidAccess::Read);
        // A device whose write or read handle can't be opened is no use to
        // the transport; it is skipped like one that can't be opened at all.
        if (!writeHandle_ || !readHandle_) {
            closeHandlesLocked();
            return false;
        }
    }
    if (!queryHandle_) {
        closeHandlesLocked();
        return false;
    }
    const auto attributes = queryHandle_->attributes();
    if (attributes && attributes->vendorId == vendorId && attributes->productId == productId) {
        return true;
    }
    closeHandlesLocked();
    return false;
}

void ModuleLink::CloseModule() {
    std::lock_guard lock(mutex_);
    closeLocked();
}

void ModuleLink::closeHandlesLocked() {
    queryHandle_.reset();
    readHandle_.reset();
    writeHandle_.reset();
}

void ModuleLink::closeLocked() {
    reloadLibraries_ = true;
    rememberedIndex_ = kNoRememberedIndex;
    closeHandlesLocked();
    // Handles hold entry points of the libraries: they are gone before this.
    if (setupLibraryLoaded_) {
        backend_.unloadSetupLibrary();
        setupLibraryLoaded_ = false;
    }
    if (hidLibraryLoaded_) {
        backend_.unloadHidLibrary();
        hidLibraryLoaded_ = false;
    }
}

bool ModuleLink::reloadLibraries() const {
    std::lock_guard lock(mutex_);
    return reloadLibraries_;
}

std::uint16_t ModuleLink::rememberedIndex() const {
    std::lock_guard lock(mutex_);
    return rememberedIndex_;
}

bool ModuleLink::singleHandleMode() const {
    std::lock_guard lock(mutex_);
    return singleHandleMode_;
}

void ModuleLink::setSingleHandleMode(bool single) {
    std::lock_guard lock(mutex_);
    singleHandleMode_ = single;
}

bool ModuleLink::isOpen() const {
    std::lock_guard lock(mutex_);
    return queryHandle_ != nullptr;
}

bool ModuleLink::writeReport(const ModuleReport& report) {
    std::lock_guard lock(mutex_);
    // In single-handle mode only the query handle is open, and it writes.
    HidHandle* handle = writeHandle_ ? writeHandle_.get() : queryHandle_.get();
    return handle != nullptr && handle->write(report);
}

bool ModuleLink::writeOnQueryHandle(const ModuleReport& report) {
    std::lock_guard lock(mutex_);
    return queryHandle_ && queryHandle_->write(report);
}

ReadOutcome ModuleLink::readReport(ModuleReport& report, std::chrono::milliseconds timeout) {
    std::lock_guard lock(mutex_);
    // In single-handle mode only the query handle is open, and it reads.
    HidHandle* handle = readHandle_ ? readHandle_.get() : queryHandle_.get();
    if (handle == nullptr) {
        return ReadOutcome::Failed;
    }
    return handle->read(report, timeout);
}

void ModuleLink::show(const std::string& message) {
    if (!shownMessages_.insert(message).second) {
        return;
    }
    PromptRequest request;
    request.text = message;
    request.icon = PromptIcon::Error;
    prompter_.ask(request);
}

}  // namespace corsel
