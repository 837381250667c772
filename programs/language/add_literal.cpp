// Two locals and a literal. Returns 88.
int main() {
  int a = 15;
  int b = 12;
  return a + b + 61;
}
