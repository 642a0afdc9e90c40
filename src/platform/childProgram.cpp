// Takes a program's path and arguments; starts it as a child and reports when and how it ended.
#include "platform/childProgram.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

int startChildProgram(const std::vector<std::string>& argv)
{
    if (argv.empty()) return -1;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
    return (int)pid;
}

int childProgramEnded(int id, int& exitCode)
{
    int status = 0;
    pid_t r = waitpid((pid_t)id, &status, WNOHANG);
    if (r == 0) return 0;
    if (r < 0) {
        exitCode = -1;  // not ours any more: nothing to wait for
        return 1;
    }
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return 1;
}

void waitChildProgram(int id)
{
    int status;
    waitpid((pid_t)id, &status, 0);
}
