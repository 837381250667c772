// A local returned. Returns 15.
int main() {
  int a = 15;
  return a;
}
