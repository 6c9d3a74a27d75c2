// Start-up to first paint of whole processes: each program is started RUNS times, the programs
// taking turns so that both see the same machine, and timed from just before exec to the
// "first-paint" marker it prints (same clock). Prints one line per program:
//   startup <program> <median ms> <first quartile ms> <third quartile ms> <runs>
// bench_startup RUNS PROGRAM...
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

long long monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "bench_startup: %s\n", message.c_str());
    std::exit(1);
}

// Milliseconds from exec to the program's first painted frame.
double timeOneStart(const char *program)
{
    int out[2];
    if (pipe(out) != 0) {
        fail(std::string("pipe: ") + std::strerror(errno));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    char *argv[] = { const_cast<char *>(program), nullptr };

    const long long started = monotonicNs();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        fail(std::string(program) + ": " + std::strerror(spawned));
    }

    std::string text;
    long long painted = 0;
    while (painted == 0) {
        pollfd readable { out[0], POLLIN, 0 };
        if (poll(&readable, 1, 20000) <= 0) {
            kill(child, SIGKILL);
            fail(std::string(program) + ": no first paint within 20 s");
        }
        char buffer[256];
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0) {
            fail(std::string(program) + ": ended without painting");
        }
        text.append(buffer, static_cast<size_t>(got));
        const size_t at = text.find("first-paint ");
        if (at != std::string::npos && text.find('\n', at) != std::string::npos) {
            painted = std::atoll(text.c_str() + at + 12);
        }
    }
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fail(std::string(program) + ": did not exit cleanly");
    }
    return (painted - started) / 1e6;
}

double quantile(std::vector<double> samples, double q)
{
    std::sort(samples.begin(), samples.end());
    const double at = q * (samples.size() - 1);
    const size_t below = static_cast<size_t>(at);
    const size_t above = std::min(below + 1, samples.size() - 1);
    return samples[below] + (samples[above] - samples[below]) * (at - below);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        fail("usage: bench_startup RUNS PROGRAM...");
    }
    const int runs = std::atoi(argv[1]);
    const int programs = argc - 2;
    if (runs < 1) {
        fail("RUNS must be at least 1");
    }
    setenv("BENCH_QUIT_AFTER_PAINT", "1", 1);

    std::vector<std::vector<double>> samples(programs);
    for (int run = 0; run < runs; ++run) {
        for (int turn = 0; turn < programs; ++turn) {
            const int program = (turn + run) % programs;
            samples[program].push_back(timeOneStart(argv[2 + program]));
        }
    }
    for (int program = 0; program < programs; ++program) {
        const char *path = argv[2 + program];
        const char *name = std::strrchr(path, '/') ? std::strrchr(path, '/') + 1 : path;
        std::printf("startup %s %.2f %.2f %.2f %d\n", name, quantile(samples[program], 0.5),
            quantile(samples[program], 0.25), quantile(samples[program], 0.75), runs);
    }
    return 0;
}
