// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32_serial_port.h"

#include <algorithm>
#include <windows.h>

namespace zorvat {

namespace {

// A read of one byte returns as soon as it is there, and after this long without any.
constexpr DWORD kReadWaitMs = 1000;
// Generous: the reader empties the driver's queue as bytes arrive.
constexpr DWORD kQueueBytes = 4096;

QString systemReason(DWORD error) {
    return qt_error_string(static_cast<int>(error));
}

// One overlapped read: the byte count, 0 after the read time-out, -1 when asked to stop, -2 on
// a failure of the port (its reason in GetLastError).
int readSome(HANDLE port, HANDLE stop, OVERLAPPED& overlapped, std::uint8_t* buffer, DWORD size) {
    ResetEvent(overlapped.hEvent);
    DWORD n = 0;
    if (!ReadFile(port, buffer, size, nullptr, &overlapped) && GetLastError() != ERROR_IO_PENDING)
        return -2;
    const HANDLE waits[2] = {overlapped.hEvent, stop};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
        CancelIoEx(port, &overlapped);
        GetOverlappedResult(port, &overlapped, &n, TRUE);
        return -1;
    }
    if (GetOverlappedResult(port, &overlapped, &n, FALSE))
        return static_cast<int>(n);
    // Wine reports a read that timed out as a failure; Windows as zero bytes.
    return GetLastError() == ERROR_TIMEOUT ? 0 : -2;
}

} // namespace

Win32SerialPort::Win32SerialPort() : handoff_(*this) {}

Win32SerialPort::~Win32SerialPort() {
    close();
}

bool Win32SerialPort::open(const QString& comName) {
    close();
    // The device namespace prefix reaches COM10 and above too.
    const std::wstring path = (QStringLiteral("\\\\.\\") + comName).toStdWString();
    HANDLE port = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return false;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadTotalTimeoutConstant = kReadWaitMs;
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // A handle that takes no line settings is no serial port.
    if (!stop || !SetCommTimeouts(port, &timeouts)) {
        if (stop)
            CloseHandle(stop);
        CloseHandle(port);
        return false;
    }
    SetupComm(port, kQueueBytes, kQueueBytes);
    comName_ = comName;
    port_ = port;
    stop_ = stop;
    reader_ = std::thread([this, port, stop, g = handoff_.opened()] { readLoop(port, stop, g); });
    return true;
}

bool Win32SerialPort::reopen() {
    close();
    // The name is the device itself, so it cannot lead elsewhere.
    return !comName_.isEmpty() && open(comName_);
}

void Win32SerialPort::configure() {
    if (!port_)
        return;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port_, &dcb);
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE; // the only mode Windows supports
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fAbortOnError = FALSE;
    SetCommState(port_, &dcb);
}

// A line the port refuses (a pseudo-terminal behind Wine has none) is no reason to close.
void Win32SerialPort::setRts(bool high) {
    if (port_)
        EscapeCommFunction(port_, high ? SETRTS : CLRRTS);
}

void Win32SerialPort::setDtr(bool high) {
    if (port_)
        EscapeCommFunction(port_, high ? SETDTR : CLRDTR);
}

std::vector<StampedByte> Win32SerialPort::takeReceived() {
    return handoff_.take();
}

void Win32SerialPort::close() {
    if (!port_)
        return;
    SetEvent(stop_);
    reader_.join();
    CloseHandle(port_);
    CloseHandle(stop_);
    port_ = nullptr;
    stop_ = nullptr;
    handoff_.closed();
}

void Win32SerialPort::readLoop(void* port, void* stop, unsigned generation) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::uint8_t buffer[256];
    for (;;) {
        // One byte, so that the read ends as soon as the byte is there; then whatever the
        // driver holds besides.
        int n = readSome(port, stop, overlapped, buffer, 1);
        if (n == 1) {
            DWORD errors = 0;
            COMSTAT status{};
            if (ClearCommError(port, &errors, &status) && status.cbInQue > 0) {
                const DWORD more = std::min<DWORD>(status.cbInQue, sizeof buffer - 1);
                const int m = readSome(port, stop, overlapped, buffer + 1, more);
                n = m < 0 ? m : 1 + m;
            }
        }
        if (n == -1)
            break;
        if (n == -2) {
            // An adapter pulled out fails its read.
            handoff_.lineLost(generation, systemReason(GetLastError()));
            break;
        }
        if (n == 0)
            continue;
        handoff_.arrived(buffer, static_cast<std::size_t>(n), generation);
    }
    CloseHandle(overlapped.hEvent);
}

} // namespace zorvat
