// A local minus a literal. Returns 8.
int main() {
  int a = 10;
  return a - 2;
}
