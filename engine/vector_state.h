#pragma once
// Long arithmetic loops call this first. Some library code (seen after a GUI
// toolkit has started) leaves the upper halves of the AVX registers in use;
// while they are, every plain SSE instruction on x86-64 waits for a merge with
// them, and a curve pass ran eight times slower. Clearing them changes no
// value: only the unused upper halves are zeroed.

namespace tessera {

void clearUpperVectorState();

} // namespace tessera
