#pragma once

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// A program started as a child process, its standard output and error going
// to files in a folder of the test's, with extra environment variables
// (NAME=value) on top of this process's.
class ChildProcess {
  public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& folder, const std::vector<std::string>& environment = {})
        : out_(folder + "/.stdout"), err_(folder + "/.stderr") {
        std::vector<std::string> argv = {program};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        std::vector<std::string> envp;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            envp.emplace_back(*variable);
        }
        envp.insert(envp.end(), environment.begin(), environment.end());
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, pointers(argv).data(),
                        pointers(envp).data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ChildProcess() {
        if (pid_ > 0 && status_ < 0) {
            ::kill(pid_, SIGKILL);
            Wait();
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    void Signal(int signal) const { ::kill(pid_, signal); }
    // The exit code, or 128 + the signal that ended it; -1 when it never ran.
    int Wait() {
        if (pid_ > 0 && status_ < 0) {
            int status = 0;
            ::waitpid(pid_, &status, 0);
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        return status_;
    }
    std::string Out() const { return contents(out_); }
    std::string Err() const { return contents(err_); }

  private:
    static std::vector<char*> pointers(std::vector<std::string>& texts) {
        std::vector<char*> result;
        for (std::string& text : texts) {
            result.push_back(text.data());
        }
        result.push_back(nullptr);
        return result;
    }
    static std::string contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string out_;
    std::string err_;
    pid_t pid_ = -1;
    int status_ = -1;
};
