#ifndef CHIRPWELL_ENGINE_VECTORPATH_H
#define CHIRPWELL_ENGINE_VECTORPATH_H

// Whether the conversion's passes may use the processor's AVX2 instructions. The
// results are the same either way; tests turn the vector path off to run the
// portable one on the same inputs.

// Defined where the compiler can build the AVX2 path, which then runs only when
// VectorPathInUse() says so.
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define CHIRPWELL_HAVE_AVX2_PATH 1
#endif

// True when the processor has AVX2 and the vector path is allowed.
bool VectorPathInUse();

// Allowed by default; AllowVectorPath(false) forces the portable path.
void AllowVectorPath(bool allowed);

#endif
