// Two-dimensional local arrays whose initialisers leave elements zero and
// read elements of arrays initialised just before. Writes nothing; the exit
// status is the sum of four elements (14).
int main() {
  int a[4][2] = {};
  int b[4][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
  int c[4][2] = {{1, 2}, {3}, {5}, {7, 8}};
  int d[4][2] = {{c[2][1], b[2][1]}, {3, 4}, {5, 6}, {7, 8}};
  return d[3][1] + d[0][0] + d[0][1] + a[2][0];
}
