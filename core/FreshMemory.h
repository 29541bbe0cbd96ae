#pragma once

#include <cstddef>

namespace kestrune {

// Asks the kernel to back a block of fresh memory at once rather than page by page as it is
// first touched: the 450 KB of answers of a 100-subject data file would otherwise take 110
// separate page faults, which in a virtual machine cost more than parsing the file. Only a
// hint; where the kernel does not know it, nothing happens.
void populateForWriting(void* data, std::size_t bytes);

}  // namespace kestrune
