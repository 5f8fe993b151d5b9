#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Requests of this many elements or more are refused.
inline constexpr uint32_t kBoundedArrayMax = 220000;

// The reports of every BoundedArray: "Index out of range [index] / max: count (Code: code)" and
// "Array max size exceeded [size] / max: 220000 (Code: code)", in an error box of the platform's
// MessageBoxA. Numbers are shown unsigned, as they are held.
void reportBoundedArrayIndex(uint32_t index, uint32_t count, uint8_t code);
void reportBoundedArraySize(uint32_t size, uint8_t code);

// A fixed-capacity array, sized once, whose elements are reached only through at(), which tests
// the index. A bad index or an oversized request is reported to the user in a message box naming
// the array's owner code, and the program goes on: a faulty access gets a zeroed spare element,
// never memory outside the array. Copies own their own elements. Not thread-safe.
template <typename T> class BoundedArray {
public:
    BoundedArray(uint32_t size, uint8_t code) : code(code) { allocate(size); }

    // Only the first call after construction or release does anything. A request of
    // kBoundedArrayMax or more is reported and leaves no elements.
    void allocate(uint32_t n)
    {
        if (allocated)
            return;
        allocated = true;
        data.clear();
        data.shrink_to_fit();
        count = 0;
        byteSize = 0;
        if (n >= kBoundedArrayMax) {
            reportBoundedArraySize(n, code);
            return;
        }
        data.assign(n, T{});
        count = n;
        byteSize = uint32_t(n * sizeof(T));
    }

    // Element index; beyond the elements (reported unless the array is empty) the spare element,
    // zeroed anew for every faulty access.
    T& at(uint32_t index)
    {
        if (count != 0 && !data.empty()) {
            if (index < count)
                return data[index];
            reportBoundedArrayIndex(index, count, code);
        }
        dummy = T{};
        return dummy;
    }

    // Frees the elements; allocate works again afterwards.
    void release()
    {
        data.clear();
        data.shrink_to_fit();
        count = 0;
        byteSize = 0;
        allocated = false;
    }

    uint32_t size() const { return count; }
    uint32_t getByteSize() const { return byteSize; }
    bool isAllocated() const { return allocated; }
    uint8_t getCode() const { return code; }

private:
    std::vector<T> data;
    T dummy{};
    uint32_t count = 0;
    uint32_t byteSize = 0;
    bool allocated = false;
    uint8_t code;
};
