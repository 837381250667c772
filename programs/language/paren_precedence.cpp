// Parentheses before *. Returns 24.
int main() {
  int a = 10;
  int b = 4;
  int c = 2;
  int d = 2;
  return (c + a) * (b - d);
}
