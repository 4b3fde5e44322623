// SPDX-License-Identifier: GPL-3.0-or-later
// Actions after E5 X, by X & 0x0F, with their argument bytes a, b, ...:
//   0 space bar              1 wait a+1 ms            2 wait (a+1) x 100 ms
//   3 version list item a    4 precision list item a  5 clipboard lists a
//   6 board toggle           7 board size 4a+1 x 2b+1 8 type: box a % 6, then a byte n and
//                                                       n % 32 bytes of Latin-1 text
//   9 actual.txt: n, then n bytes of content (n = 255: no file); then message 1493
//   A message 1490 (a even) or 1494 (a odd)           B automatic start clicked
//   C select result a        D delete result          E key in the list: a % 3
//   F wait (a+1) x 1000 ms
#include "fuzz_input.h"

#include <algorithm>
#include <array>

namespace zorvat {

namespace {

constexpr std::array<int, 12> kVersions{454, 456, 457, 458, 462, 463, 466, 467, 468, 469, 470, 500};
constexpr std::size_t kSetupBytes = 5;
constexpr std::uint8_t kEscape = 0xE5;

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}
    bool atEnd() const { return p_ == end_; }
    bool next(int& v) {
        if (p_ == end_)
            return false;
        v = *p_++;
        return true;
    }
    bool take(std::size_t n, QByteArray& out) {
        if (static_cast<std::size_t>(end_ - p_) < n)
            return false;
        out = QByteArray(reinterpret_cast<const char*>(p_), static_cast<qsizetype>(n));
        p_ += n;
        return true;
    }

private:
    const std::uint8_t* p_;
    const std::uint8_t* end_;
};

// False when the input ends before the action's arguments.
bool readAction(int x, Reader& r, Action& a) {
    int v = 0;
    switch (x & 0x0F) {
    case 0x0:
        a.act = Act::Space;
        return true;
    case 0x1:
        a.act = Act::Wait;
        a.arg = 1;
        return r.next(v) && (a.arg = v + 1, true);
    case 0x2:
        a.act = Act::Wait;
        return r.next(v) && (a.arg = (v + 1) * 100, true);
    case 0x3:
        a.act = Act::PickVersion;
        return r.next(a.arg);
    case 0x4:
        a.act = Act::PickPrecision;
        return r.next(a.arg);
    case 0x5:
        a.act = Act::PickClipboard;
        return r.next(a.arg);
    case 0x6:
        a.act = Act::ToggleBoard;
        return true;
    case 0x7:
        a.act = Act::ResizeBoard;
        if (!r.next(a.arg) || !r.next(a.arg2))
            return false;
        a.arg = 4 * a.arg + 1;
        a.arg2 = 2 * a.arg2 + 1;
        return true;
    case 0x8:
        a.act = Act::Type;
        if (!r.next(a.arg) || !r.next(v))
            return false;
        a.arg %= 6;
        return r.take(static_cast<std::size_t>(v % 32), a.text);
    case 0x9:
        a.act = Act::ActualText;
        if (!r.next(v))
            return false;
        if (v == 255) {
            a.arg = 1;
            return true;
        }
        return r.take(static_cast<std::size_t>(v), a.text);
    case 0xA:
        a.act = Act::AskSettings;
        return r.next(v) && (a.arg = v & 1, true);
    case 0xB:
        a.act = Act::AutomaticStart;
        return true;
    case 0xC:
        a.act = Act::SelectResult;
        return r.next(a.arg);
    case 0xD:
        a.act = Act::DeleteResult;
        return true;
    case 0xE:
        a.act = Act::ListKey;
        return r.next(v) && (a.arg = v % 3, true);
    default:
        a.act = Act::Wait;
        return r.next(v) && (a.arg = (v + 1) * 1000, true);
    }
}

} // namespace

bool parseFuzzInput(const std::uint8_t* data, std::size_t size, FuzzScript& out) {
    out = {};
    if (size < kSetupBytes)
        return false;
    size = std::min(size, kMaxFuzzInput);
    FuzzSetup& s = out.setup;
    s.edition = (data[0] & 1) ? Edition::FourSplit : Edition::Difference;
    s.precision = (data[0] >> 1) & 1;
    s.verze = kVersions[data[1] % kVersions.size()];
    s.mode = data[2];
    s.target = data[3];
    s.flag = data[4];

    Reader r(data + kSetupBytes, size - kSetupBytes);
    DeviceBytes bytes;
    int b = 0;
    while (r.next(b)) {
        int x = 0;
        if (b != kEscape || !r.next(x)) {
            bytes.push_back(static_cast<std::uint8_t>(b));
            continue;
        }
        if (x == kEscape) {
            bytes.push_back(kEscape);
            continue;
        }
        Action a{};
        if (!readAction(x, r, a))
            break;
        if (!bytes.empty())
            out.steps.emplace_back(std::move(bytes));
        bytes.clear();
        out.steps.emplace_back(std::move(a));
    }
    if (!bytes.empty())
        out.steps.emplace_back(std::move(bytes));
    return true;
}

} // namespace zorvat
