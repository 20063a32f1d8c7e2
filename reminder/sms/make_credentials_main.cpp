// Entry point of the make-credentials command.
#include <iostream>
#include <string_view>
#include <vector>

#include "reminder/sms/make_credentials.h"

int main(int argc, char** argv) {
    // Narrow arguments on purpose: on Windows they arrive in the ANSI code page, the byte form the
    // program deciphers the fields into.
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return davrin::sms::runMakeCredentials(args, std::cout, std::cerr);
}
