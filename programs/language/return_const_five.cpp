// A literal returned. Returns 5.
int main() {
  return 5;
}
