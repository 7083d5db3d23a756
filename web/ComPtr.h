#pragma once
#include <unknwn.h>

#include <utility>

// Owns one reference to a COM object and releases it when it goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller holds.
    explicit ComPtr(T* adopted) : pointer(adopted) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer(std::exchange(other.pointer, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer = std::exchange(other.pointer, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    void reset() {
        if (T* released = std::exchange(pointer, nullptr))
            released->Release();
    }
    // For the calls that hand out a new reference through a T** argument.
    T** put() {
        reset();
        return &pointer;
    }
    T* get() const { return pointer; }
    T* operator->() const { return pointer; }
    T& operator*() const { return *pointer; }
    explicit operator bool() const { return pointer != nullptr; }

private:
    T* pointer = nullptr;
};
