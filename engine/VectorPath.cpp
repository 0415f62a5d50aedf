#include "engine/VectorPath.h"

#include <atomic>

namespace {

bool ProcessorHasAvx2()
{
#ifdef CHIRPWELL_HAVE_AVX2_PATH
    // Also checks that the system saves the wide registers.
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

std::atomic<bool> g_bAllowed{true};

}  // namespace

bool VectorPathInUse()
{
    static const bool hasAvx2 = ProcessorHasAvx2();
    return hasAvx2 && g_bAllowed.load(std::memory_order_relaxed);
}

void AllowVectorPath(bool allowed)
{
    g_bAllowed.store(allowed, std::memory_order_relaxed);
}
