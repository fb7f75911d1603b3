// peak_rss INPUT PROGRAM [ARGUMENTS...]: runs PROGRAM with standard input
// from INPUT and its output discarded, and prints its peak resident set in
// KiB and its exit status. A program inherits as its peak the resident set
// of the process it was started from (exec carries the old high-water mark
// over), so a large benchmark process cannot start it itself and read a
// true figure: this small one stands in between.

#include <cstdio>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: peak_rss INPUT PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open(argv[1], O_RDONLY);
        const int out = open("/dev/null", O_WRONLY);
        if (in >= 0 && out >= 0 && dup2(in, 0) == 0 && dup2(out, 1) == 1)
            execv(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return 2;
    std::printf("%ld %d\n", usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return 0;
}
