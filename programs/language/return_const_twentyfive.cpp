// A literal returned. Returns 25.
int main() {
  return 25;
}
