/* Reads an array and a float, prints their sum, the array and twice the
 * float, and times the summing; the runtime reports the timer at exit. */
#include <suite_runtime.h>

int main(void) {
  int a[16];
  int n = getarray(a);
  float f = getfloat();
  int sum = 0;
  int i;

  _kova_starttime(7);
  for (i = 0; i < n && i < 16; i++) sum += a[i];
  _kova_stoptime(9);

  putint(sum);
  putch('\n');
  putarray(n, a);
  putfloat(f * 2.0f);
  putch('\n');
  /* Reading past the end of the input yields 0 and sets the flag. */
  putint(getint());
  putint(input_failed());
  putch('\n');
  return 3;
}
