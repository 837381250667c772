/* Stand-ins for the programs of a broken build. One executable, run under
 * the name of the fault it shows (the runner's tests link it under each
 * name). Every process it starts notes its id in $FAKE_PID_DIR, so a test can
 * tell whether any of them outlived the run. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

static void note_pid(void) {
  const char *dir = getenv("FAKE_PID_DIR");
  if (dir == NULL) return;
  char path[4096];
  snprintf(path, sizeof path, "%s/%d", dir, (int)getpid());
  int fd = open(path, O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
  if (fd >= 0) close(fd);
}

static int print_forever(int fd) {
  static char block[65536];
  memset(block, 'y', sizeof block);
  while (write(fd, block, sizeof block) > 0) {
  }
  return 1;
}

/* A grandchild that outlives the program with its streams closed, in a
 * session of its own when `own_session`. The program ends only once the
 * grandchild is in place. */
static int leave_grandchild(int own_session) {
  int ready[2];
  if (pipe(ready) != 0) return 9;
  if (fork() == 0) {
    if (fork() == 0) {
      if (own_session) setsid();
      note_pid();
      close(0);
      close(1);
      close(2);
      if (write(ready[1], "x", 1) != 1) _exit(9);
      sleep(60);
      _exit(0);
    }
    _exit(0);
  }
  char byte;
  if (read(ready[0], &byte, 1) != 1) return 9;
  wait(NULL);
  puts("parent");
  return 0;
}

/* A child that keeps standard output open and sleeps. */
static int child_holds_stdout(void) {
  if (fork() == 0) {
    note_pid();
    sleep(60);
    _exit(0);
  }
  puts("parent");
  return 3;
}

int main(int argc, char **argv) {
  (void)argc;
  const char *slash = strrchr(argv[0], '/');
  const char *name = slash ? slash + 1 : argv[0];
  note_pid();
  if (strcmp(name, "endless_stdout") == 0) return print_forever(1);
  if (strcmp(name, "endless_stderr") == 0) return print_forever(2);
  if (strcmp(name, "child_holds_stdout") == 0) return child_holds_stdout();
  if (strcmp(name, "grandchild_closes") == 0) return leave_grandchild(0);
  if (strcmp(name, "grandchild_setsid") == 0) return leave_grandchild(1);
  if (strcmp(name, "sleeper") == 0) {
    if (fork() == 0) note_pid();
    sleep(60);
    return 0;
  }
  puts("ok");
  return 0;
}
