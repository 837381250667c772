// The sum of two locals. Returns 12.
int main() {
  int a = 10;
  int b = 2;
  return a + b;
}
