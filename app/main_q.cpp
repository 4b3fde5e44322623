#include "startup.h"

int main(int argc, char** argv) {
    return zorvat::runProgram(argc, argv, zorvat::Edition::FourSplit);
}
