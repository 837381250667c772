// A local times a literal, plus a literal. Returns 21.
int main() {
  int a = 10;
  return a * 2 + 1;
}
