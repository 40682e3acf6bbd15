// kardel_peak_run PROGRAM [ARG]...: runs PROGRAM with its output thrown away and prints
// "SECONDS PEAK_KB STATUS" on one line: the wall time from starting it to its end, its
// peak resident memory (ru_maxrss) and its wait status. It is a program of its own so
// that the peak is the measured program's alone: a process started from a large one
// inherits that one's peak in its ru_maxrss, a process started from this small one
// only a few hundred kilobytes.
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: kardel_peak_run PROGRAM [ARG]...\n", stderr);
        return 2;
    }
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t child = fork();
    if (child < 0)
        return 1;
    if (child == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return 1;
    clock_gettime(CLOCK_MONOTONIC, &end);
    double seconds = double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) / 1e9;
    std::printf("%.6f %ld %d\n", seconds, usage.ru_maxrss, status);
    return 0;
}
