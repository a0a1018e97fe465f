// Shared by the two start-up probes: reads the driver's start time, waits for the
// window's first expose, lets the window paint that first frame and then prints
//
//   <ns to first expose> <ns to first frame painted>   (from the driver's start)
//   <ns to first expose> <ns to first frame painted>   (from the start of main())
//   <ns to first expose> <ns to first frame painted>   (CPU time of the process)
//
// on one line and ends the process at once (nothing after the first frame is timed).
//
// Process start is the driver's CLOCK_MONOTONIC reading just before it starts this
// process, passed as "--since=NS", not the start time in /proc/self/stat: the kernel
// reports that in clock ticks (10 ms at USER_HZ 100), too coarse for differences of a
// few milliseconds, while the driver's reading is in nanoseconds on the same system-wide
// clock. It covers the exec and the loading of Qt's libraries, the same for both probes;
// the times from main() leave that out and show the work of the program itself more
// sharply. The CPU time (user and system, all threads, exec included) leaves out the
// waits for a core.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_DUMP_STATS_AT(name)
#endif

namespace startup {

inline std::int64_t clock_ns(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

inline std::int64_t monotonic_ns() {
    return clock_ns(CLOCK_MONOTONIC);
}

struct StartTimes {
    std::int64_t process;
    std::int64_t main;
};

// Called first in main(): takes "--since=NS" (the driver's clock at the start) out of the
// arguments. Without it, as under valgrind, process start counts as the start of main().
inline StartTimes take_start_times(int& argc, char** argv) {
    const std::int64_t main_start = monotonic_ns();
    constexpr const char* option = "--since=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], option, std::strlen(option)) != 0)
            continue;
        const std::int64_t since = std::strtoll(argv[i] + std::strlen(option), nullptr, 10);
        for (int j = i; j < argc; ++j)
            argv[j] = argv[j + 1];
        --argc;
        return {since, main_start};
    }
    return {main_start, main_start};
}

// Installed on the application before the window exists, so that an expose delivered
// while show() is still running is seen too.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(StartTimes start) : start_(start) {}

    void watch(QWidget* window) { window_ = window; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && window_ != nullptr && watched->isWidgetType() &&
            window_->isAncestorOf(static_cast<QWidget*>(watched)))
            window_painted_ = true;
        if (event->type() != QEvent::Expose || window_ == nullptr ||
            watched != window_->windowHandle() || !window_->windowHandle()->isExposed())
            return QObject::eventFilter(watched, event);

        const std::int64_t exposed = monotonic_ns();
        const std::int64_t exposed_cpu = clock_ns(CLOCK_PROCESS_CPUTIME_ID);
        // Under callgrind the first dump holds everything up to the expose, the final
        // one the painting of the first frame.
        CALLGRIND_DUMP_STATS_AT("first expose");
        // The widget window paints and flushes the whole frame while handling the expose.
        static_cast<QObject*>(watched)->event(event);
        const std::int64_t painted = monotonic_ns();
        const std::int64_t painted_cpu = clock_ns(CLOCK_PROCESS_CPUTIME_ID);
        if (!window_painted_) {
            std::fputs("the first expose painted nothing\n", stderr);
            std::_Exit(2);
        }
        std::printf("%lld %lld %lld %lld %lld %lld\n",
                    static_cast<long long>(exposed - start_.process),
                    static_cast<long long>(painted - start_.process),
                    static_cast<long long>(exposed - start_.main),
                    static_cast<long long>(painted - start_.main),
                    static_cast<long long>(exposed_cpu), static_cast<long long>(painted_cpu));
        std::fflush(stdout);
        std::_Exit(0);
    }

  private:
    StartTimes start_;
    QWidget* window_ = nullptr;
    bool window_painted_ = false;
};

} // namespace startup
