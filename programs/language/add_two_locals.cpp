// The sum of the second and third of three locals. Returns 5.
int main() {
  [[maybe_unused]] int a = 1;
  int b = 2;
  int c = 3;
  return b + c;
}
