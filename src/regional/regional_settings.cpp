#include "regional/regional_settings.h"

namespace quorvel {

RegionalSettings RegionalSettings::Polish() {
    return RegionalSettings{",", "yyyy-MM-dd", "HH:mm:ss", "-", ":"};
}

}  // namespace quorvel
