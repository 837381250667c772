// Local arrays whose initialisers leave elements zero and read elements of
// arrays initialised just before, one of them three-dimensional with a last
// dimension of 1. Writes nothing; the exit status is the sum of four
// elements (21).
int main() {
  int a[4][2] = {{1, 2}, {3, 4}, {}, {7}};
  int b[4][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
  int c[4][2] = {{1, 2}, {3}, {5}, {a[3][0], 8}};
  int d[4][2][1] = {{{c[2][1]}, {b[2][1]}}, {{3}, {4}}, {{5}, {6}}, {{7}, {8}}};
  return d[3][1][0] + d[0][0][0] + d[0][1][0] + c[3][0];
}
