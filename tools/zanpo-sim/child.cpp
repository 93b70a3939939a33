#include "child.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace sim {

pid_t StartProgram(const std::vector<std::string>& command, const std::string& device) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    setenv("KELVIRA_PORT1", device.c_str(), 1);
    std::vector<char*> argv;
    for (const auto& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    std::perror(argv[0]);
    _exit(127);
}

int ExitCode(int waitStatus) {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return 1;
}

}  // namespace sim
