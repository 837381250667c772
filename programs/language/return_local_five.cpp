// A local returned. Returns 5.
int main() {
  int a = 5;
  return a;
}
