// One local minus another. Returns 8.
int main() {
  int a = 10;
  int b = 2;
  return a - b;
}
