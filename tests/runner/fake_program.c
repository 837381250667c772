/* Stand-ins for the programs of a broken build. One executable, run under
 * the name of the fault it shows (the runner's tests link it under each
 * name). Every process it starts notes its id in $FAKE_PID_DIR, so a test can
 * tell whether any of them outlived the run. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
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

/* Allocates and touches `mib` MiB, 16 MiB at a time. */
static int touch_memory(int mib) {
  for (int used = 0; used < mib; used += 16) {
    /* Volatile: a compiler may drop stores to memory that is never read. */
    volatile char *block = malloc(16u << 20);
    if (block == NULL) {
      puts("out of memory");
      return 1;
    }
    for (unsigned at = 0; at < 16u << 20; at += 4096) block[at] = 1;
  }
  puts("touched");
  return 0;
}

/* Two processes touching 300 MiB each and holding it: neither alone is
 * large. */
static int touch_in_two(void) {
  const pid_t child = fork();
  const int status = touch_memory(300);
  sleep(60);
  if (child == 0) _exit(status);
  waitpid(child, NULL, 0);
  return status;
}

/* Notes the working folder's path in $FAKE_PID_DIR/cwd. */
static void note_cwd(void) {
  char cwd[4096], path[4200];
  const char *dir = getenv("FAKE_PID_DIR");
  if (getcwd(cwd, sizeof cwd) == NULL || dir == NULL) return;
  snprintf(path, sizeof path, "%s/cwd", dir);
  FILE *note = fopen(path, "w");
  if (note == NULL) return;
  fputs(cwd, note);
  fclose(note);
}

/* Raises its core-file limit as far as it is let, says what it got, and
 * crashes. */
static int crash_with_core(void) {
  note_cwd();
  struct rlimit limit = {RLIM_INFINITY, RLIM_INFINITY};
  if (setrlimit(RLIMIT_CORE, &limit) != 0 && getrlimit(RLIMIT_CORE, &limit) == 0) {
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_CORE, &limit);
  }
  getrlimit(RLIMIT_CORE, &limit);
  fprintf(stderr, "core limit %llu %llu\n", (unsigned long long)limit.rlim_cur,
          (unsigned long long)limit.rlim_max);
  fflush(stderr);
  abort();
}

/* Writes a file into its working folder. */
static int write_here(void) {
  note_cwd();
  FILE *here = fopen("written.txt", "w");
  if (here == NULL) return 9;
  fputs("a file\n", here);
  fclose(here);
  puts("ok");
  return 0;
}

/* Writes one file without end; with `ignore`, goes on past a refused write
 * and ends as if all were well. */
static int endless_file(int ignore) {
  note_cwd();
  if (ignore) signal(SIGXFSZ, SIG_IGN);
  int fd = open("endless.dat", O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return 9;
  static char block[65536];
  while (write(fd, block, sizeof block) > 0) {
  }
  puts("ok");
  return 0;
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
  if (strcmp(name, "touch_2g") == 0) return touch_memory(2048);
  if (strcmp(name, "touch_in_two") == 0) return touch_in_two();
  if (strcmp(name, "crash_with_core") == 0) return crash_with_core();
  if (strcmp(name, "write_here") == 0) return write_here();
  if (strcmp(name, "endless_file") == 0) return endless_file(0);
  if (strcmp(name, "endless_file_ignoring") == 0) return endless_file(1);
  if (strcmp(name, "stops_itself") == 0) raise(SIGSTOP);
  if (strcmp(name, "sleeper") == 0) {
    if (fork() == 0) note_pid();
    sleep(60);
    return 0;
  }
  puts("ok");
  return 0;
}
