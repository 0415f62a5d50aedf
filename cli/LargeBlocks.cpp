// chirpwell-smile's large buffers (the text, the filters' and the smile's results, a
// few hundred KiB to a few MiB each) on blocks of their own: 2 MiB-aligned, so that
// the kernel may back them with huge pages, and kept when freed for the next large
// buffer. On a machine whose host backs memory lazily, a virtual one, every fresh
// small page costs microseconds, and a run touched a thousand of them; a huge page
// costs one such step. The replacements of the global operator new and delete serve
// everything else from malloc, as the library's own do. chirpwell-smile runs on one
// thread; the sanitizers keep their own allocator.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

#if !defined(__SANITIZE_ADDRESS__)

namespace {

constexpr std::size_t kLargeSize = 256 * 1024;
constexpr std::size_t kHugePage = 2 * 1024 * 1024;
constexpr int kBlockCount = 32;

struct CBlock {
    void* m_pData = nullptr;  // 2 MiB-aligned
    void* m_pMapping = nullptr;
    std::size_t m_nMapping = 0;
    std::size_t m_nRoom = 0;  // from m_pData
    bool m_bInUse = false;
};

CBlock g_blocks[kBlockCount];

void* AllocateLarge(std::size_t size)
{
    const std::size_t room = (size + kHugePage - 1) / kHugePage * kHugePage;
    CBlock* unused = nullptr;
    for (CBlock& block : g_blocks) {
        if (block.m_pData && !block.m_bInUse && block.m_nRoom >= room) {
            block.m_bInUse = true;
            return block.m_pData;
        }
        if (!block.m_pData && !unused)
            unused = &block;
    }
    if (!unused)
        return nullptr;
    const std::size_t length = room + kHugePage;
    void* mapping = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                           -1, 0);
    if (mapping == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(mapping);
    void* data = reinterpret_cast<void*>((start + kHugePage - 1) & ~(kHugePage - 1));
    ::madvise(data, room, MADV_HUGEPAGE);
    *unused = {data, mapping, length, room, true};
    return data;
}

// False for memory that is not a large block's.
bool ReleaseLarge(void* pointer)
{
    // malloc never hands out a pointer this aligned but by chance.
    if (reinterpret_cast<std::uintptr_t>(pointer) & (kHugePage - 1))
        return false;
    for (CBlock& block : g_blocks) {
        if (block.m_pData == pointer && block.m_bInUse) {
            block.m_bInUse = false;
            return true;
        }
    }
    return false;
}

void* Allocate(std::size_t size)
{
    if (size >= kLargeSize) {
        if (void* large = AllocateLarge(size))
            return large;
    }
    if (void* small = std::malloc(size == 0 ? 1 : size))
        return small;
    throw std::bad_alloc();
}

void Release(void* pointer)
{
    if (pointer && !ReleaseLarge(pointer))
        std::free(pointer);
}

}  // namespace

void* operator new(std::size_t size)
{
    return Allocate(size);
}

void* operator new[](std::size_t size)
{
    return Allocate(size);
}

void operator delete(void* pointer) noexcept
{
    Release(pointer);
}

void operator delete[](void* pointer) noexcept
{
    Release(pointer);
}

void operator delete(void* pointer, std::size_t) noexcept
{
    Release(pointer);
}

void operator delete[](void* pointer, std::size_t) noexcept
{
    Release(pointer);
}

#endif
