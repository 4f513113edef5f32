#pragma once
// ComPtr: the owner of one reference on a COM interface.
#include <windows.h>

#include <utility>

// Holds one reference on a COM interface; copies add a reference, destruction and Reset release it.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr& other) : m_ptr(other.m_ptr) { AddRef(); }
    ComPtr(ComPtr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_ptr, other.m_ptr);
        return *this;
    }

    T* Get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

    // Releases the reference held and returns the slot for a call that hands out a new one.
    T** Put()
    {
        Reset();
        return &m_ptr;
    }
    // Takes over a reference that the caller owned.
    void Attach(T* ptr)
    {
        Reset();
        m_ptr = ptr;
    }
    // Hands the reference to the caller, who then owns it.
    T* Detach() { return std::exchange(m_ptr, nullptr); }
    void Reset()
    {
        if (m_ptr) std::exchange(m_ptr, nullptr)->Release();
    }

private:
    void AddRef()
    {
        if (m_ptr) m_ptr->AddRef();
    }

    T* m_ptr = nullptr;
};
