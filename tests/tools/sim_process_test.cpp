// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built zorvat-sim the way the program meets it: through a pseudo-terminal.
#include "sim_attempt.h"
#include "sim_greeting.h"
#include "sim_hex.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;
using namespace zorvat::sim;

namespace {

using Clock = std::chrono::steady_clock;

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

int msLeft(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long>(left.count(), 0));
}

// What one read brings within the limit; empty on timeout or end of input.
std::vector<std::uint8_t> readSome(int fd, std::size_t most, Clock::time_point deadline) {
    pollfd pfd{fd, POLLIN, 0};
    if (poll(&pfd, 1, msLeft(deadline)) <= 0)
        return {};
    std::vector<std::uint8_t> bytes(most);
    const ssize_t n = read(fd, bytes.data(), most);
    bytes.resize(static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    return bytes;
}

// Up to count bytes, as many as arrive before the limit.
std::vector<std::uint8_t> readBytes(int fd, std::size_t count, std::chrono::milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < count) {
        const std::vector<std::uint8_t> more = readSome(fd, count - bytes.size(), deadline);
        if (more.empty())
            break;
        bytes.insert(bytes.end(), more.begin(), more.end());
    }
    return bytes;
}

// Opens the slave as the program does: read-write, raw, not as controlling terminal.
int openPort(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd >= 0) {
        termios tio{};
        tcgetattr(fd, &tio);
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
    return fd;
}

class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zorvat-sim-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        if (!path_.empty())
            std::filesystem::remove_all(path_);
    }
    std::filesystem::path path() const { return path_; }

private:
    std::filesystem::path path_;
};

class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args) {
        int in[2], out[2], err[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        std::vector<std::string> argStrings{ZORVAT_SIM};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : argStrings)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, ZORVAT_SIM, &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        close(err[1]);
        input_.reset(in[1]);
        output_.reset(out[0]);
        errors_.reset(err[0]);
    }

    ~SimProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    bool started() const { return pid_ > 0; }

    void write(const std::string& text) {
        ASSERT_EQ(::write(input_.get(), text.data(), text.size()), ssize_t(text.size()));
    }

    // The next stdout line, empty if none came in time.
    std::string readOutputLine(std::chrono::milliseconds limit) {
        std::string line;
        while (true) {
            const std::vector<std::uint8_t> byte = readBytes(output_.get(), 1, limit);
            if (byte.empty() || byte[0] == '\n')
                return line;
            line += char(byte[0]);
        }
    }

    // Waits until stderr has a line containing text.
    bool waitForLog(const std::string& text, std::chrono::milliseconds limit) {
        const Clock::time_point deadline = Clock::now() + limit;
        while (true) {
            const std::size_t found = log_.find(text);
            if (found != std::string::npos) {
                log_.erase(0, found + text.size());
                return true;
            }
            const std::vector<std::uint8_t> more = readSome(errors_.get(), 256, deadline);
            if (more.empty())
                return false;
            log_.append(more.begin(), more.end());
        }
    }

    // Everything written to stderr until it closes.
    std::string stderrText(std::chrono::milliseconds limit) {
        const Clock::time_point deadline = Clock::now() + limit;
        while (true) {
            const std::vector<std::uint8_t> more = readSome(errors_.get(), 256, deadline);
            if (more.empty())
                return log_;
            log_.append(more.begin(), more.end());
        }
    }

    void signal(int number) { kill(pid_, number); }

    // The exit code once stdout has closed; none if that does not happen within the limit.
    std::optional<int> waitExit(std::chrono::milliseconds limit) {
        const Clock::time_point deadline = Clock::now() + limit;
        while (!readSome(output_.get(), 256, deadline).empty())
            ;
        if (Clock::now() >= deadline)
            return std::nullopt;
        int status = 0;
        if (waitpid(pid_, &status, 0) != pid_)
            return std::nullopt;
        pid_ = -1;
        return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
    }

private:
    pid_t pid_ = -1;
    Fd input_, output_, errors_;
    std::string log_;
};

TEST(SimProcess, GreetsOnlyWhenThePortStaysOpenAndAgainAfterReopening) {
    TempDir dir;
    const std::string link = (dir.path() / "com1").string();
    SimProcess sim(
        {"--firmware", "458", "--mode", "DC", "--target", "A2", "--flag", "AC", "--link", link});
    ASSERT_TRUE(sim.started());
    const std::string line = sim.readOutputLine(5s);
    ASSERT_TRUE(line.starts_with("PTY /dev/")) << line;
    const std::string slave = line.substr(4);
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), slave);

    // Held back until the device is switched on.
    sim.write("AB\nBA 01 02 03 04\n");

    // Nobody has the port open yet: the device stays off, and says nothing more on stdout.
    EXPECT_EQ(sim.readOutputLine(350ms), "");
    // A short open is no switching on: nothing arrives while it lasts.
    Fd probe(openPort(slave));
    ASSERT_GE(probe.get(), 0);
    EXPECT_EQ(hexString(readBytes(probe.get(), 1, 150ms)), "");
    probe.reset();
    // Nor is the program's start-up probe, which opens and closes the port at once.
    probe.reset(openPort(slave));
    probe.reset();

    Fd port(openPort(slave));
    EXPECT_EQ(hexString(readBytes(port.get(), 11, 3s)), "00 CD 02 AC AA AB BA 01 02 03 04");
    EXPECT_EQ(hexString(readBytes(port.get(), 1, 100ms)), "") << "more than one greeting";

    // Picking the port again switches the device off and on.
    port.reset();
    ASSERT_TRUE(sim.waitForLog("switched off", 3s));
    port.reset(openPort(slave));
    EXPECT_EQ(hexString(readBytes(port.get(), 5, 3s)), "00 CD 02 AC AA");

    sim.signal(SIGTERM);
    EXPECT_EQ(sim.waitExit(3s), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST(SimProcess, PlaysAScriptFileOnATtyAndQuits) {
    TempDir dir;
    const std::filesystem::path script = dir.path() / "attempt.txt";
    std::ofstream(script) << "wait 20\n55 # preparation\nquit\nAB\n";
    Fd master(posix_openpt(O_RDWR | O_NOCTTY));
    ASSERT_GE(master.get(), 0);
    ASSERT_EQ(grantpt(master.get()), 0);
    ASSERT_EQ(unlockpt(master.get()), 0);

    SimProcess sim({"--firmware", "467", "--mode", "0x5A", "--tty", ptsname(master.get()),
                    "--script", script.string()});
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(hexString(readBytes(master.get(), 6, 3s)), "00 5A 05 AE AA 55");
    EXPECT_EQ(sim.waitExit(3s), 0);
    EXPECT_EQ(hexString(readBytes(master.get(), 1, 50ms)), "") << "nothing after quit";
}

// What an attempt puts on the line, and how long its waits take.
struct PlayedAttempt {
    std::string bytes;
    std::chrono::milliseconds waits{0};
};

PlayedAttempt played(int version, std::uint8_t mode, const AttemptPace& pace, std::uint32_t seed) {
    PlayedAttempt result;
    std::vector<std::uint8_t> bytes;
    for (const ScriptCommand& command : makeAttempt(version, mode, pace, seed).commands) {
        if (const auto* send = std::get_if<SendBytes>(&command))
            bytes.insert(bytes.end(), send->bytes.begin(), send->bytes.end());
        else if (const auto* wait = std::get_if<Wait>(&command))
            result.waits += wait->duration;
    }
    result.bytes = hexString(bytes);
    return result;
}

TEST(SimProcess, PlaysAScriptAttemptThenTheDemoWithTheNextSeeds) {
    const Clock::time_point begin = Clock::now();
    TempDir dir;
    const std::filesystem::path script = dir.path() / "attempt.txt";
    std::ofstream(script) << "attempt\n";
    Fd master(posix_openpt(O_RDWR | O_NOCTTY));
    ASSERT_GE(master.get(), 0);
    ASSERT_EQ(grantpt(master.get()), 0);
    ASSERT_EQ(unlockpt(master.get()), 0);

    SimProcess sim({"--firmware", "454", "--mode", "5A", "--tty", ptsname(master.get()), "--script",
                    script.string(), "--demo", "--seed", "7", "--pause", "2000", "--speed", "100"});
    ASSERT_TRUE(sim.started());
    const AttemptPace pace{3000ms, 2000ms, 100};
    const PlayedAttempt fromScript = played(454, 0x5A, pace, 7);
    const PlayedAttempt fromDemo = played(454, 0x5A, pace, 8);
    EXPECT_EQ(hexString(readBytes(master.get(), 5, 3s)), "00 A5 01 AE AA");
    // One attack on a three-byte version: AA 55 AB, two target states, two times of 1 + 3.
    EXPECT_EQ(hexString(readBytes(master.get(), 13, 3s)), fromScript.bytes);
    EXPECT_EQ(hexString(readBytes(master.get(), 13, 3s)), fromDemo.bytes);
    EXPECT_GE(Clock::now() - begin, fromScript.waits + 20ms + fromDemo.waits)
        << "the waits and the pause were not kept";
    EXPECT_TRUE(sim.waitForLog("attempt with seed 8", 3s));

    sim.signal(SIGTERM);
    EXPECT_EQ(sim.waitExit(3s), 0);
}

TEST(SimProcess, InvalidArgumentsExitWithCode2) {
    SimProcess sim({"--firmware", "999"});
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(sim.waitExit(3s), 2);
    EXPECT_NE(sim.stderrText(3s).find("999"), std::string::npos);
}

} // namespace
