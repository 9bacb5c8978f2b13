#include "vector_state.h"

namespace tessera {

#if defined(__x86_64__) && defined(__GNUC__)

namespace {
// Every vector register is call-clobbered, so zeroing their upper halves in
// a function of its own is invisible to the caller.
__attribute__((target("avx"), noinline)) void zeroUpperHalves() { __builtin_ia32_vzeroupper(); }
} // namespace

void clearUpperVectorState() {
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) zeroUpperHalves();
}

#else

void clearUpperVectorState() {}

#endif

} // namespace tessera
