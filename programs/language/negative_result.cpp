// A negative result: returns -8, exit status 248.
int main() {
  int a = 2;
  return a - 10;
}
