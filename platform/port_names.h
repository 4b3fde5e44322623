#pragma once

#include <QString>
#include <functional>

namespace zorvat {

// Maps "COM1".."COM10" (any case) to the device to open. On Linux a link com<n> in
// portsFolder wins and is resolved to its target, so that a link and its target lock the
// same device; without one, /dev/ttyUSB<n-1> when deviceExists says so, else /dev/ttyS<n-1>.
// Any other name gives an empty string.
QString resolveComPort(const QString& comName, const QString& portsFolder,
                       const std::function<bool(const QString&)>& deviceExists);

// The same with the folder from $ZORVAT_PORTS, else $HOME/.zorvat/ports, and the real
// /dev. On Windows the name is already the device and comes back unchanged.
QString resolveComPort(const QString& comName);

// Where the links are looked for: $ZORVAT_PORTS, else $HOME/.zorvat/ports.
QString comPortsFolder();

} // namespace zorvat
