#pragma once

#include <string>

namespace corsel {

// One shared library opened by name at run time (dlopen with RTLD_NOW |
// RTLD_LOCAL): every symbol is bound at open, so a broken library fails there
// and not in the middle of a call, and nothing it exports leaks into the
// symbols of libraries opened later. Closed on destruction. Move-only.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Opens `name` (a file name searched as the system does, or a path),
    // closing whatever was open before. False when it can't be loaded.
    bool open(const std::string& name);
    void close();
    bool isOpen() const { return handle_ != nullptr; }

    // The address of `name`; null when it isn't exported or nothing is open.
    void* symbol(const char* name) const;

private:
    void* handle_ = nullptr;
};

}  // namespace corsel
