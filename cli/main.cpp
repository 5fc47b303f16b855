#include "Commands.h"

#include <iostream>

int main(int argc, char** argv) { return rw::cli::run(argc, argv, {std::cout, std::cerr}); }
