#pragma once

#include "serial/serial_driver.h"

namespace quorvel {

// The built-in demo module behind the port list's "Symulator" entry: a virtual module in
// the program itself, streaming at its transmission frequency and answering commands, so
// that everything works on a machine without the module.
DriverOpenResult OpenDemoPort();

}  // namespace quorvel
