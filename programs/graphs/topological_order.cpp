// A topological order of a 5-node directed graph read as successor lists:
// each round takes the lowest-numbered node of in-degree 0, so an acyclic
// graph gets its lexicographically smallest order. When no node is ready
// (a cycle), the node chosen last is taken again. Prints one node per line.
//
// Input: five lists of successors, for nodes 1 to 5, each ended by 0.
// Successors 6 to 9 are stored but never ordered.
// Rejected: a successor outside 0 to 9, input that ends before the five
// lists are closed.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

int map[10][10];
// indegree[v]: times v was listed, less the decrements; -1 once v is output.
int indegree[10];
int queue[10];

void topo(int n) {
  int chosen = 0;
  int filled = 0;
  int i = 1;
  while (i <= n) {
    // No ready node leaves chosen as it was in the previous round.
    int j = 1;
    while (j <= n) {
      if (indegree[j] == 0) {
        chosen = j;
        break;
      }
      j = j + 1;
    }
    queue[filled] = chosen;
    filled = filled + 1;
    indegree[chosen] = -1;
    j = 1;
    while (j <= n) {
      if (map[chosen][j] != 0) indegree[j] = indegree[j] - 1;
      j = j + 1;
    }
    i = i + 1;
  }
  i = 0;
  while (i <= n - 1) {
    putint(queue[i]);
    putch(10);
    i = i + 1;
  }
}

int read_successor(int u) {
  int p = getint();
  if (input_failed())
    lang::reject("topological_order", "input ended within the successors of node %d", u);
  if (p < 0 || p > 9) lang::reject("topological_order", "successor %d outside 0 to 9", p);
  return p;
}

}  // namespace

int main() {
  int n = 5;
  int u = 1;
  while (u <= n) {
    int p = read_successor(u);
    while (p != 0) {
      map[u][p] = 1;
      indegree[p] = lang::add(indegree[p], 1);
      p = read_successor(u);
    }
    u = u + 1;
  }
  topo(n);
  return 0;
}
