// A literal returned. Returns 15.
int main() {
  return 15;
}
