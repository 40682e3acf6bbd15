#include "ProcessRun.h"

#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kardel::bench {

MeasuredRun RunMeasured(const std::vector<std::string>& argv) {
    std::vector<std::string> all{KARDEL_PEAK_RUN_PATH};
    all.insert(all.end(), argv.begin(), argv.end());
    std::vector<char*> args;
    for (std::string& arg : all)
        args.push_back(arg.data());
    args.push_back(nullptr);

    MeasuredRun run;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    std::string line;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        line.append(buffer, size_t(n));
    ::close(pipeFds[0]);
    if (spawned != 0)
        return run;
    int status = 0;
    ::waitpid(pid, &status, 0);
    double seconds = 0;
    long peakKb = 0;
    int childStatus = -1;
    if (std::sscanf(line.c_str(), "%lf %ld %d", &seconds, &peakKb, &childStatus) == 3) {
        run.seconds = seconds;
        run.peakBytes = double(peakKb) * 1024.0;
        run.ok = WIFEXITED(childStatus) && WEXITSTATUS(childStatus) == 0;
    }
    return run;
}

const char* KardelCliPath() {
    return KARDEL_CLI_PATH;
}
const char* KardelPath() {
    return KARDEL_GUI_PATH;
}

namespace {
struct Scratch {
    std::string path;
    ~Scratch() {
        if (!path.empty() && std::system(("rm -rf '" + path + "'").c_str()) != 0)
            std::fprintf(stderr, "could not remove %s\n", path.c_str());
    }
};
} // namespace

const std::string& ScratchFolder() {
    static Scratch scratch;
    if (scratch.path.empty()) {
        std::string pattern =
            (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + std::string("/kardel-bench-XXXXXX");
        if (::mkdtemp(pattern.data()))
            scratch.path = pattern;
    }
    return scratch.path;
}

} // namespace kardel::bench
