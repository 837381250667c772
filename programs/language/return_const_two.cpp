// A literal returned. Returns 2.
int main() {
  return 2;
}
