// The heap the benchmark program uses, counted: every operator new and
// delete of the program goes through the counters here.
#pragma once

#include <cstddef>

namespace quill::bench {

// Bytes the program holds now.
std::size_t HeapInUse();

// The most held since the last ResetHeapPeak().
std::size_t HeapPeak();
void ResetHeapPeak();

} // namespace quill::bench
