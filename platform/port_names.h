// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

namespace zorvat {

// Where a COM name led: a link in the ports folder, a USB adapter's device, a built-in port.
enum class PortSource { None, Link, UsbAdapter, BuiltIn };

struct ResolvedPort {
    QString device;
    PortSource source = PortSource::None;
};

// Maps "COM1".."COM10" (any case) to the device to open. On Linux a link com<n> in
// portsFolder wins and is resolved to its target, so that a link and its target lock the
// same device; without one, /dev/ttyUSB<n-1> when deviceExists says so, else /dev/ttyS<n-1>.
// Any other name gives an empty string.
ResolvedPort resolveComPort(const QString& comName, const QString& portsFolder,
                            const std::function<bool(const QString&)>& deviceExists);

// The same with the folder from $ZORVAT_PORTS, else $HOME/.zorvat/ports, and the real
// /dev. On Windows the name is already the device and comes back unchanged.
ResolvedPort resolveComPort(const QString& comName);

// Where the links are looked for: $ZORVAT_PORTS, else $HOME/.zorvat/ports.
QString comPortsFolder();

} // namespace zorvat
