#pragma once
// TRecordArray: a growable array of plain records that grows with realloc. A large block is
// moved by remapping its pages rather than copied, so growing the token list of a big script
// never holds the old and the new block at once, and the unused capacity costs no memory until
// it is written.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include <sys/mman.h>

namespace dialoscope {

template <typename T> class TRecordArray {
    static_assert(std::is_trivially_copyable_v<T>, "records are moved as bytes");

public:
    TRecordArray() = default;
    TRecordArray(const TRecordArray& other) { CopyFrom(other); }
    TRecordArray(TRecordArray&& other) noexcept { Take(other); }
    TRecordArray& operator=(const TRecordArray& other) {
        if (this != &other) {
            Release();
            CopyFrom(other);
        }
        return *this;
    }
    TRecordArray& operator=(TRecordArray&& other) noexcept {
        if (this != &other) {
            Release();
            Take(other);
        }
        return *this;
    }
    ~TRecordArray() { std::free(Data_); }

    std::size_t size() const { return Size_; }
    std::size_t capacity() const { return Capacity_; }
    bool empty() const { return Size_ == 0; }
    const T& operator[](std::size_t index) const { return Data_[index]; }
    T& operator[](std::size_t index) { return Data_[index]; }
    const T& back() const { return Data_[Size_ - 1]; }
    const T* data() const { return Data_; }

    void push_back(const T& record) {
        if (Size_ == Capacity_) {
            Grow();
        }
        Data_[Size_++] = record;
    }
    // Appends count records at once, growing the block to exactly the size needed.
    void append(const T* records, std::size_t count) {
        if (count == 0) {
            return;
        }
        if (Capacity_ - Size_ < count) {
            GrowTo(Size_ + count);
        }
        std::memcpy(static_cast<void*>(Data_ + Size_), records, count * sizeof(T));
        Size_ += count;
    }
    // Makes room for count records after the last one, and makes the memory of that room's
    // records `from` to `to` present, so that appending there later finds it in place
    // (the system hands out fresh memory a page at a time, at its first write).
    void PrepareRoom(std::size_t count, std::size_t from, std::size_t to) {
        if (Capacity_ - Size_ < count) {
            GrowTo(Size_ + count);
        }
        to = std::min(to, count);
        if (from < to) {
            MakePresent(reinterpret_cast<char*>(Data_ + Size_ + from), (to - from) * sizeof(T));
        }
    }
    // Gives back the room past the last record (keeps it, should the system refuse).
    void ShrinkToFit() noexcept {
        if (Size_ == 0) {
            Release();
            return;
        }
        if (Capacity_ > Size_) {
            if (void* shrunk = std::realloc(static_cast<void*>(Data_), Size_ * sizeof(T))) {
                Data_ = static_cast<T*>(shrunk);
                Capacity_ = Size_;
            }
        }
    }
    // Keeps the capacity.
    void clear() { Size_ = 0; }
    // Gives the memory back.
    void Release() {
        std::free(Data_);
        Data_ = nullptr;
        Size_ = 0;
        Capacity_ = 0;
    }

private:
    // Where the system can, it brings the whole pages in at once without writing them (cheaper
    // than a write to each); the rest, or all of it elsewhere, is written.
    static void MakePresent(char* begin, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
        constexpr std::uintptr_t Page = 4096;
        const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(begin);
        const std::uintptr_t first = (start + Page - 1) & ~(Page - 1);
        const std::uintptr_t last = (start + bytes) & ~(Page - 1);
        if (first < last &&
            ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE) == 0) {
            std::memset(begin, 0, first - start);
            std::memset(reinterpret_cast<char*>(last), 0, start + bytes - last);
            return;
        }
#endif
        std::memset(begin, 0, bytes);
    }
    void Grow() {
        GrowTo(Capacity_ == 0 ? 1024 : Capacity_ * 2);
    }
    void GrowTo(std::size_t capacity) {
        void* grown = std::realloc(static_cast<void*>(Data_), capacity * sizeof(T));
        if (grown == nullptr) {
            throw std::bad_alloc();
        }
        Data_ = static_cast<T*>(grown);
        Capacity_ = capacity;
    }
    void CopyFrom(const TRecordArray& other) {
        if (other.Size_ == 0) {
            return;
        }
        Data_ = static_cast<T*>(std::malloc(other.Size_ * sizeof(T)));
        if (Data_ == nullptr) {
            throw std::bad_alloc();
        }
        std::memcpy(static_cast<void*>(Data_), other.Data_, other.Size_ * sizeof(T));
        Size_ = other.Size_;
        Capacity_ = other.Size_;
    }
    void Take(TRecordArray& other) {
        Data_ = std::exchange(other.Data_, nullptr);
        Size_ = std::exchange(other.Size_, 0);
        Capacity_ = std::exchange(other.Capacity_, 0);
    }

    T* Data_ = nullptr;
    std::size_t Size_ = 0;
    std::size_t Capacity_ = 0;
};

} // namespace dialoscope
