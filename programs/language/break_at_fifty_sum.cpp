// A while loop left by break before 50 is added. Returns 1225 (0 to 49):
// exit status 201.
int main() {
  int i = 0;
  int sum = 0;
  while (i < 100) {
    if (i == 50) {
      break;
    }
    sum = sum + i;
    i = i + 1;
  }
  return sum;
}
