#include "Zelmar.h"

int main(int argc, char* argv[]) {
    return RunZelmar(argc, argv);
}
