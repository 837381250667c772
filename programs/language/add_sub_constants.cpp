// Literals added and subtracted around a local. Returns 40.
int main() {
  int a = 10;
  int b = 30;
  return a + 5 + b - 5;
}
