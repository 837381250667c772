// A literal returned. Returns 3.
int main() {
  return 3;
}
