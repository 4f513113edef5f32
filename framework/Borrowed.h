#pragma once
// Borrowed wrappers: the objects FromHandle hands out for handles the caller does not own (a window's font,
// a submenu). The framework keeps one per handle and drops it once the handle is no longer valid.
#include <windows.h>

#include <memory>
#include <unordered_map>

// An owner class used as a view: it wraps the handle without taking it and lets go of it when destroyed.
template <class Owner, class Handle>
class Borrowed final : public Owner {
public:
    explicit Borrowed(Handle handle) { this->Attach(handle); }
    ~Borrowed() override { this->Detach(); }
};

// One borrowed wrapper per handle; the framework serves one UI thread, so no locking.
template <class Owner, class Handle>
class BorrowedMap {
public:
    // The wrapper of handle (null for a null handle); wrappers of handles that isValid rejects are dropped first.
    Owner* Get(Handle handle, bool (*isValid)(Handle))
    {
        if (!handle) return nullptr;
        std::erase_if(m_wrappers, [isValid](const auto& entry) { return !isValid(entry.first); });
        auto& slot = m_wrappers[handle];
        if (!slot) slot = std::make_unique<Borrowed<Owner, Handle>>(handle);
        return slot.get();
    }

private:
    std::unordered_map<Handle, std::unique_ptr<Owner>> m_wrappers;
};
