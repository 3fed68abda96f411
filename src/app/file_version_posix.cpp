#include "app/build_version.h"
#include "app/file_version.h"

namespace quorvel {

void QueryFileVersion(uint16_t& major, uint16_t& minor, uint16_t& release, uint16_t& build) {
    major = kVersionMajor;
    minor = kVersionMinor;
    release = kVersionRelease;
    build = kVersionBuild;
}

}  // namespace quorvel
