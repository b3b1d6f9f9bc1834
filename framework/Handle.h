#pragma once
// One move-only owner per kind of handle. The traits name the handle type,
// its "no handle" value and the call that releases it.

#include <windows.h>

#include <utility>

template <class Traits> class UniqueHandle {
public:
    using handle_type = typename Traits::handle_type;

    UniqueHandle() = default;
    explicit UniqueHandle(handle_type h) : m_h(h) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    handle_type get() const { return m_h; }
    explicit operator bool() const { return m_h != Traits::invalid(); }

    // Gives the handle up without releasing it.
    handle_type release() { return std::exchange(m_h, Traits::invalid()); }

    // Releases the held handle (if any) and takes h. Returns the result of
    // the release call, or TRUE when nothing was held.
    BOOL reset(handle_type h = Traits::invalid()) {
        BOOL ok = TRUE;
        if (m_h != Traits::invalid())
            ok = Traits::close(m_h);
        m_h = h;
        return ok;
    }

private:
    handle_type m_h = Traits::invalid();
};

struct KernelHandleTraits {
    using handle_type = HANDLE;
    static HANDLE invalid() { return nullptr; }
    static BOOL close(HANDLE h) { return CloseHandle(h); }
};
using OwnedHandle = UniqueHandle<KernelHandleTraits>;

struct FindHandleTraits {
    using handle_type = HANDLE;
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static BOOL close(HANDLE h) { return FindClose(h); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;
