// The product of two locals. Returns 50.
int main() {
  int a = 10;
  int b = 5;
  return a * b;
}
