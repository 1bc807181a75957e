#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "admin.h"

int main(int argc, char** argv) {
    return admin::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                      isatty(fileno(stderr)) != 0);
}
