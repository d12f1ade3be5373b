#include <string>

#include "app/Application.h"

int main() {
    if (initApplication() != 0) return -1;
    runGame(std::string("Kelvarin"));
    return 0;
}
