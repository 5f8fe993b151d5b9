#pragma once

#include <utility>

namespace VSTGUI {

// Holds one reference to an IReference object for as long as it lives.
template <typename T> class SharedPointer {
public:
    SharedPointer() = default;
    SharedPointer(std::nullptr_t) {}
    // Takes a new reference, or adopts the caller's one when remember is false.
    SharedPointer(T* object, bool remember = true) : object(object)
    {
        if (object && remember)
            object->remember();
    }
    SharedPointer(const SharedPointer& other) : SharedPointer(other.object) {}
    SharedPointer(SharedPointer&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
    template <typename U> SharedPointer(const SharedPointer<U>& other) : SharedPointer(other.get()) {}
    ~SharedPointer()
    {
        if (object)
            object->forget();
    }

    SharedPointer& operator=(SharedPointer other) noexcept
    {
        std::swap(object, other.object);
        return *this;
    }
    SharedPointer& operator=(T* other) { return *this = SharedPointer(other); }

    T* get() const { return object; }
    T* operator->() const { return object; }
    T& operator*() const { return *object; }
    operator T*() const { return object; }
    explicit operator bool() const { return object != nullptr; }

private:
    T* object = nullptr;
};

// Adopts the reference that a new object carries.
template <typename T> SharedPointer<T> owned(T* object)
{
    return SharedPointer<T>(object, false);
}

template <typename T, typename... Args> SharedPointer<T> makeOwned(Args&&... args)
{
    return owned(new T(std::forward<Args>(args)...));
}

} // namespace VSTGUI
