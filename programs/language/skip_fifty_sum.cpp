// A while loop that skips one value with continue, advancing first so the
// loop still ends. Returns 4900 (0 to 99 without 50): exit status 36.
int main() {
  int i = 0;
  int sum = 0;
  while (i < 100) {
    if (i == 50) {
      i = i + 1;
      continue;
    }
    sum = sum + i;
    i = i + 1;
  }
  return sum;
}
