// Swaps two rows of a 5x5 local matrix element by element. Writes nothing;
// the exit status is the first element of the third row afterwards (2).
int main() {
  int m[5][5] = {
      {1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}, {3, 3, 3, 3, 3}, {4, 4, 4, 4, 4}, {5, 5, 5, 5, 5},
  };
  // Row numbers counted from 1.
  int first = 2;
  int second = 3;
  int i = 0;
  int t;

  while (i < 5) {
    t = m[first - 1][i];
    m[first - 1][i] = m[second - 1][i];
    m[second - 1][i] = t;
    i = i + 1;
  }
  return m[2][0];
}
