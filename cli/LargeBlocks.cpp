// chirpwell-smile's buffers of 48 KiB and more (the text, the filters' and the
// smile's results) on blocks of their own: 2 MiB-aligned, so that the kernel may
// back them with huge pages. On a machine whose host backs memory lazily, a virtual
// one, every fresh small page costs about 10 µs and a huge page about as much as
// twelve of them: 48 KiB is where a huge page starts to pay. Buffers share a block
// while it has room, so that the text and its result are one huge page, not two;
// the room of the last buffer carved is given back when it is freed, and a block
// whose buffers are all freed is used again from its start. The
// replacements of the global operator new and delete serve everything else from
// malloc, as the library's own do. chirpwell-smile runs on one thread; the
// sanitizers keep their own allocator.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

#if !defined(__SANITIZE_ADDRESS__)

namespace {

constexpr std::size_t kLargeSize = 48 * 1024;
constexpr std::size_t kHugePage = 2 * 1024 * 1024;
constexpr std::size_t kAlignment = 64;
constexpr int kBlockCount = 32;

struct CBlock {
    char* m_pData = nullptr;  // 2 MiB-aligned
    std::size_t m_nRoom = 0;
    std::size_t m_nUsed = 0;  // buffers are carved from m_pData on
    std::size_t m_nLast = 0;  // where the last buffer carved starts
    int m_nBuffers = 0;       // in use
};

CBlock g_blocks[kBlockCount];

void* AllocateLarge(std::size_t size)
{
    const std::size_t need = (size + kAlignment - 1) / kAlignment * kAlignment;
    CBlock* unused = nullptr;
    for (CBlock& block : g_blocks) {
        if (block.m_pData && block.m_nRoom - block.m_nUsed >= need) {
            char* buffer = block.m_pData + block.m_nUsed;
            block.m_nLast = block.m_nUsed;
            block.m_nUsed += need;
            ++block.m_nBuffers;
            return buffer;
        }
        if (!block.m_pData && !unused)
            unused = &block;
    }
    if (!unused)
        return nullptr;
    const std::size_t room = (need + kHugePage - 1) / kHugePage * kHugePage;
    void* mapping = ::mmap(nullptr, room + kHugePage, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(mapping);
    auto* data = reinterpret_cast<char*>((start + kHugePage - 1) & ~(kHugePage - 1));
    ::madvise(data, room, MADV_HUGEPAGE);
    *unused = {data, room, need, 0, 1};
    return data;
}

// False for memory that is not a large block's.
bool ReleaseLarge(void* pointer)
{
    const auto* buffer = static_cast<const char*>(pointer);
    for (CBlock& block : g_blocks) {
        if (block.m_pData && buffer >= block.m_pData && buffer < block.m_pData + block.m_nRoom) {
            if (--block.m_nBuffers == 0)
                block.m_nUsed = 0;
            else if (buffer == block.m_pData + block.m_nLast)
                block.m_nUsed = block.m_nLast;
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
