// A local plus a negative local. Returns 9.
int main() {
  int a = 10;
  int b = -1;
  return a + b;
}
