// peak-memory COMMAND [ARGS...]: runs the command and prints, on standard error, the peak of
// the resident memory of it and every process it starts (a browser engine runs in helper
// processes), sampled every 10 ms. Exits with the command's status.

#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Every process's parent and resident kilobytes.
std::map<int, std::pair<int, long>> processes()
{
    std::map<int, std::pair<int, long>> table;
    DIR *proc = opendir("/proc");
    if (!proc)
        return table;
    while (dirent *entry = readdir(proc)) {
        const int pid = std::atoi(entry->d_name);
        if (pid <= 0)
            continue;
        std::ifstream status("/proc/" + std::string(entry->d_name) + "/status");
        int parent = 0;
        long rss = 0;
        for (std::string line; std::getline(status, line);) {
            std::istringstream fields(line);
            std::string name;
            fields >> name;
            if (name == "PPid:")
                fields >> parent;
            else if (name == "VmRSS:")
                fields >> rss;
        }
        table[pid] = {parent, rss};
    }
    closedir(proc);
    return table;
}

long treeResidentKilobytes(int root)
{
    const auto table = processes();
    long total = 0;
    std::vector<int> pending{root};
    while (!pending.empty()) {
        const int pid = pending.back();
        pending.pop_back();
        auto it = table.find(pid);
        if (it != table.end())
            total += it->second.second;
        for (const auto &[child, info] : table) {
            if (info.first == pid)
                pending.push_back(child);
        }
    }
    return total;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: peak-memory COMMAND [ARGS...]\n");
        return 2;
    }
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("exec");
        _exit(127);
    }
    long peak = 0;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        peak = std::max(peak, treeResidentKilobytes(child));
        usleep(10000);
    }
    std::fprintf(stderr, "peak-memory: %ld kB\n", peak);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
