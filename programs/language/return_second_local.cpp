// The second of two locals. Returns 2.
int main() {
  [[maybe_unused]] int a = 10;
  int b = 2;
  return b;
}
