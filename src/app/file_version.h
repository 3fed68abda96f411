#pragma once

#include <cstdint>

namespace quorvel {

// The file version of the program's own executable: from its version resource on Windows,
// compiled in elsewhere; all four 0 when there is none.
void QueryFileVersion(uint16_t& major, uint16_t& minor, uint16_t& release, uint16_t& build);

}  // namespace quorvel
