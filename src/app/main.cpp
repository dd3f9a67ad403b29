#include <cstdio>

int main(int, char**) {
    std::puts("Talvexa 1099 2025: the program's windows are not built yet; nothing to show.");
    return 0;
}
