// Start-up time of the program's window against a bare QMainWindow of the same size:
// both probes beside this driver (startup_window, startup_bare) are started alternately,
// each timed to its first expose and to its first frame painted, from the moment just
// before it is started, from the start of its main() and in CPU time; the medians,
// quartiles and ratios are printed. On a busy machine the median of the ratios of
// neighbouring runs is steadier than the ratio of the medians.
//
//   startup_driver [--runs N] [--warmup N] [--platform offscreen|xcb]
//
// The default is 200 timed runs of each, after 5 warm-up runs of each, offscreen. For a
// real X server: xvfb-run -a -s "-screen 0 1280x1100x24" startup_driver --platform xcb
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::int64_t monotonic_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "startup_driver: %s\n", what.c_str());
    std::exit(1);
}

// A program in the driver's own folder.
std::string beside_driver(const char* name) {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        fail("cannot read /proc/self/exe");
    std::string folder(path, static_cast<std::size_t>(length));
    return folder.substr(0, folder.rfind('/') + 1) + name;
}

// What a probe prints, in its order (see first_paint.h).
constexpr const char* measures[] = {
    "process start to first expose", "process start to first frame", "main() to first expose",
    "main() to first frame",         "CPU time to first expose",     "CPU time to first frame",
};
constexpr std::size_t measure_count = std::size(measures);

using Sample = std::array<double, measure_count>; // milliseconds

Sample run_once(const std::string& program) {
    int out[2];
    if (pipe(out) != 0)
        fail("pipe: " + std::string(std::strerror(errno)));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    // Qt's platform chatter would drown the table; run a probe alone to see it.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    char since[48];
    const std::int64_t start = monotonic_ns();
    std::snprintf(since, sizeof since, "--since=%lld", static_cast<long long>(start));
    char* argv[] = {const_cast<char*>(program.c_str()), since, nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0)
        fail(program + ": " + std::strerror(spawned));

    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail("read: " + std::string(std::strerror(errno)));
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    long long ns[measure_count] = {};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(text.c_str(), "%lld %lld %lld %lld %lld %lld", &ns[0], &ns[1], &ns[2], &ns[3],
                    &ns[4], &ns[5]) != static_cast<int>(measure_count))
        fail(program + " did not report its first frame; run it alone to see why");
    Sample sample{};
    for (std::size_t m = 0; m < measure_count; ++m)
        sample[m] = static_cast<double>(ns[m]) / 1e6;
    return sample;
}

// Linear interpolation between the closest ranks.
double quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double rank = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(rank);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (rank - static_cast<double>(below)) * (values[above] - values[below]);
}

// "median (q1-q3)"
std::string spread(const std::vector<double>& values, const char* format) {
    char text[80];
    const std::string f = std::string(format) + " (" + format + "-" + format + ")";
    std::snprintf(text, sizeof text, f.c_str(), quantile(values, 0.5), quantile(values, 0.25),
                  quantile(values, 0.75));
    return text;
}

int positive(const char* text) {
    const int value = std::atoi(text);
    if (value <= 0)
        fail(std::string("not a positive count: ") + text);
    return value;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 200;
    int warmup = 5;
    std::string platform = "offscreen";
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 < argc && option == "--runs")
            runs = positive(argv[++i]);
        else if (i + 1 < argc && option == "--warmup")
            warmup = positive(argv[++i]);
        else if (i + 1 < argc && option == "--platform")
            platform = argv[++i];
        else
            fail("usage: startup_driver [--runs N] [--warmup N] [--platform offscreen|xcb]");
    }
    if (platform == "xcb" && std::getenv("DISPLAY") == nullptr)
        fail("no DISPLAY for xcb; run under: xvfb-run -a -s \"-screen 0 1280x1100x24\"");
    setenv("QT_QPA_PLATFORM", platform.c_str(), 1);

    const std::string window = beside_driver("startup_window");
    const std::string bare = beside_driver("startup_bare");
    for (int i = 0; i < warmup; ++i) {
        run_once(window);
        run_once(bare);
    }
    // Alternating, so that a slow spell of the machine falls on both alike.
    std::vector<double> of_window[measure_count], of_bare[measure_count], paired[measure_count];
    for (int i = 0; i < runs; ++i) {
        const Sample w = run_once(window);
        const Sample b = run_once(bare);
        for (std::size_t m = 0; m < measure_count; ++m) {
            of_window[m].push_back(w[m]);
            of_bare[m].push_back(b[m]);
            paired[m].push_back(w[m] / b[m]);
        }
    }

    std::printf("platform %s, %d runs of each, alternating, after %d warm-up runs of each\n",
                platform.c_str(), runs, warmup);
    std::printf("%-30s %-22s %-22s %-8s %s\n", "median (q1-q3)", "program window, ms",
                "bare QMainWindow, ms", "ratio", "ratio of neighbouring runs");
    for (std::size_t m = 0; m < measure_count; ++m)
        std::printf("%-30s %-22s %-22s %-8.3f %s\n", measures[m],
                    spread(of_window[m], "%.2f").c_str(), spread(of_bare[m], "%.2f").c_str(),
                    quantile(of_window[m], 0.5) / quantile(of_bare[m], 0.5),
                    spread(paired[m], "%.3f").c_str());
    return 0;
}
