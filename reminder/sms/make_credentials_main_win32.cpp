// Entry point of make-credentials on Windows: the arguments are taken wide and converted here, so
// that a character the ANSI code page lacks is refused instead of silently becoming "?".
#include "reminder/sms/make_credentials.h"

#include <windows.h>

#include <cwchar>
#include <iostream>
#include <string>
#include <vector>

// The wide entry point -municode links to; no header declares it.
int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
    // The code page decides which characters have a byte; UTF-8 takes every one and must not be
    // asked about replacement characters.
    const UINT codePage = GetACP();
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    std::vector<std::string> texts;
    std::vector<bool> lossy;
    for (int i = 1; i < argc; ++i) {
        const int length = static_cast<int>(std::wcslen(argv[i]));
        BOOL replaced = FALSE;
        BOOL* ask = codePage == CP_UTF8 ? nullptr : &replaced;
        std::string text(length > 0 ? WideCharToMultiByte(codePage, flags, argv[i], length, nullptr,
                                                          0, nullptr, ask)
                                    : 0,
                         '\0');
        if (!text.empty())
            WideCharToMultiByte(codePage, flags, argv[i], length, text.data(),
                                static_cast<int>(text.size()), nullptr, ask);
        lossy.push_back(replaced || (length > 0 && text.empty()));
        texts.push_back(std::move(text));
    }
    std::vector<davrin::sms::Argument> args;
    for (std::size_t i = 0; i < texts.size(); ++i)
        args.emplace_back(texts[i], lossy[i]);
    return davrin::sms::runMakeCredentials(std::span<const davrin::sms::Argument>(args), std::cout,
                                           std::cerr);
}
