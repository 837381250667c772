// A literal returned. Returns 10.
int main() {
  return 10;
}
