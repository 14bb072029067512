// peak-memory COMMAND [ARG...]: runs the command with its output discarded
// and prints its peak resident memory in kilobytes, its wall time and the
// processor time it used (user and system).

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: peak-memory COMMAND [ARG...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) < 0) {
        std::perror("peak-memory");
        return 2;
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const auto milliseconds = [](const timeval& t) { return 1000.0 * static_cast<double>(t.tv_sec) + t.tv_usec / 1000.0; };
    std::printf("%s: peak %ld KB, %.1f ms, processor %.1f ms, exit %d\n", argv[1], usage.ru_maxrss, ms,
                milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
