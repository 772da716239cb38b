#include <cstdio>

int main() {
  std::printf("velloran-play: nothing to play yet\n");
  return 0;
}
