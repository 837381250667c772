/*
 * The suite's runtime library: console input and output, interval timers and
 * the hooks that run around main. Usable from C and C++; every name is
 * exported unmangled, exactly as compiled programs refer to it.
 *
 * Input goes through stdin and output through stdout, with the C library's
 * buffering, so all output routines interleave in call order, with putf and
 * with any other write to stdout. getint, getch and getfloat read exactly
 * what scanf's "%d" (see below for the range), "%c" and "%a" would read, and
 * putint, putch and putfloat write exactly printf's "%d", putchar's byte and
 * printf's "%a" of the value widened to double; the runtime converts without
 * going through the format functions, which is several times faster.
 *
 * End of input and failed conversions. When a read finds no input left, or
 * text that does not match its conversion, it consumes what scanf consumes
 * (white space, then at most up to the first character that does not fit:
 * that character is left unread, except inside a word such as "infin" or
 * "na", whose mismatching letter is consumed as well) and the routine
 * returns a fixed value:
 *   getint     0
 *   getch      -1 (EOF); a byte read is always 0..255, so -1 is unambiguous
 *   getfloat   0.0f
 *   getarray   a count that cannot be read counts as 0 (nothing is stored);
 *   getfarray  an element that cannot be read is stored as 0, and the count
 *              read is returned. A count of 0 or below reads no elements and
 *              is returned unchanged.
 * Every such failure also sets the flag that input_failed() reports, so a
 * program that loops on input can tell a real 0 from the end of its input.
 *
 * Integers outside the 32-bit range read as the nearest 32-bit limit
 * (4294967297 reads as 2147483647, -9999999999 as -2147483648), on every
 * platform.
 */
#ifndef SUITE_RUNTIME_H
#define SUITE_RUNTIME_H

#ifdef __cplusplus
extern "C" {
#endif

/* Input. */
int getint(void);
int getch(void);
float getfloat(void);
int getarray(int a[]);
int getfarray(float a[]);

/* 1 once any input routine has met the end of input or a failed conversion,
 * else 0. The flag stays set: after such a failure the input is exhausted or
 * stuck at the mismatch. Not part of the original eleven routines; compiled
 * programs that never call it are unaffected. */
int input_failed(void);

/* Output. */
void putint(int a);
void putch(int a);
void putarray(int n, int a[]);
void putfloat(float a);
void putfarray(int n, float a[]);
void putf(const char *format, ...) __attribute__((format(printf, 1, 2)));

/* Timers. A program times at most 1023 intervals; starts and stops beyond
 * that are ignored. */
void _kova_starttime(int label);
void _kova_stoptime(int label);

/* Hooks, run by program start-up and normal exit; a program never calls
 * them. before_main clears the timer tables; after_main writes the timer
 * report ("TOTAL: 0H-0M-0S-0us" when no timer was used) to stderr. */
void before_main(void);
void after_main(void);

#ifdef __cplusplus
}
#endif

#endif /* SUITE_RUNTIME_H */
