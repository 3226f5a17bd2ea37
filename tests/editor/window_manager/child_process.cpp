#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <utility>

extern char** environ;

pid_t spawn(std::vector<std::string> arguments, int fd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  if (fd != -1) posix_spawn_file_actions_adddup2(&actions, fd, 3);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed ? 0 : child;
}

pid_t spawn_until_ready(std::vector<std::string> arguments, std::string& line) {
  line.clear();
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return 0;
  const pid_t child = spawn(std::move(arguments), ends[1]);
  ::close(ends[1]);
  char c = 0;
  while (child && ::read(ends[0], &c, 1) == 1 && c != '\n') line += c;
  ::close(ends[0]);
  return child;
}

void stop(pid_t child) {
  if (child <= 0) return;
  ::kill(child, SIGTERM);
  ::waitpid(child, nullptr, 0);
}
