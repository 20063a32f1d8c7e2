// The make-credentials command: argument handling, validation and the file write.
#include "make_credentials.h"

#include <array>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "credentials_file.h"

namespace credentials {
namespace {

void printUsage(std::ostream& os) {
    os << "usage: make-credentials [-o PATH] " << fields[0].name << " ... " << fields[8].name
       << "\n\n"
          "Writes the SMS gateway account, enciphered, to PATH (default: "
       << fileName
       << " in the current folder).\n"
          "Give all nine fields, in this order; a field may be empty (\"\") but may not contain \""
       << fieldSeparator << "\".\n\n";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        os << "  " << i << "  " << fields[i].name << std::string(18 - fields[i].name.size(), ' ')
           << fields[i].meaning << '\n';
    }
    os << "\nThe program sends these to the gateway as one request:\n"
          "  <address-start><address-end>UserName=<user-start><user-end>"
          "&password=<password-start><password-middle><password-end>"
          "&MobileNo=91...&SenderID=<sender-id>&CDMAHeader=<cdma-header>&Message=...\n"
          "so the request address ends in whatever the gateway expects before the first "
          "parameter (for example \"?\").\n"
          "\nOptions:\n"
          "  -o, --output PATH   where to write the file\n"
          "  -h, --help          show this text\n"
          "  --                  only fields follow (for a field that starts with -)\n";
}

struct Arguments {
    std::filesystem::path output{std::string(fileName)};
    std::vector<std::string_view> values;
    bool help = false;
};

// Returns nothing when the arguments make no sense; the reason is written to `err`.
std::optional<Arguments> parse(std::span<const std::string_view> args, std::ostream& err) {
    Arguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.values.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            parsed.help = true;
        } else if (arg == "-o" || arg == "--output") {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                err << "make-credentials: " << arg << " needs a path\n";
                return std::nullopt;
            }
            parsed.output = std::filesystem::path(std::string(args[++i]));
        } else if (arg.starts_with("--output=") && arg.size() > 9) {
            parsed.output = std::filesystem::path(std::string(arg.substr(9)));
        } else {
            err << "make-credentials: unknown option " << arg << '\n';
            return std::nullopt;
        }
    }
    return parsed;
}

bool isBlank(std::string_view s) {
    return s.find_first_not_of(" \t") == std::string_view::npos;
}

// A value the dispatcher finds blank makes it send nothing, silently; say so now.
void warnAboutBlankValues(std::span<const std::string_view, fieldCount> v, std::ostream& err) {
    struct Joined {
        std::string_view name;
        std::string value;
    };
    const std::array<Joined, 5> joined = {{
        {"request address", std::string(v[0]) + std::string(v[3])},
        {"user name", std::string(v[7]) + std::string(v[2])},
        {"password", std::string(v[6]) + std::string(v[4]) + std::string(v[8])},
        {"sender id", std::string(v[5])},
        {"CDMA header", std::string(v[1])},
    }};
    for (const Joined& j : joined) {
        if (isBlank(j.value)) {
            err << "make-credentials: warning: the " << j.name
                << " is blank; the program sends no SMS with this file\n";
        }
    }
}

} // namespace

std::string writeFileReplacing(const std::filesystem::path& target, std::string_view content) {
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) {
            return "cannot create " + temporary.string();
        }
        file.write(content.data(), static_cast<std::streamsize>(content.size()));
        file.close();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return "cannot write " + temporary.string();
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return "cannot replace " + target.string() + ": " + ec.message();
    }
    return {};
}

int runMakeCredentials(std::span<const std::string_view> args, std::ostream& out,
                       std::ostream& err) {
    const std::optional<Arguments> parsed = parse(args, err);
    if (!parsed) {
        printUsage(err);
        return exitUsage;
    }
    if (parsed->help) {
        printUsage(out);
        return exitOk;
    }
    if (parsed->values.size() != fieldCount) {
        err << "make-credentials: expected " << fieldCount << " fields, got "
            << parsed->values.size() << "\n\n";
        printUsage(err);
        return exitUsage;
    }
    const std::span<const std::string_view, fieldCount> values(parsed->values.data(), fieldCount);
    bool refused = false;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i].find(fieldSeparator) != std::string_view::npos) {
            err << "make-credentials: field " << i << " (" << fields[i].name << ") contains \""
                << fieldSeparator
                << "\", which separates the fields in the file; no file written\n";
            refused = true;
        }
    }
    if (refused) {
        return exitUsage;
    }
    warnAboutBlankValues(values, err);
    const std::string problem = writeFileReplacing(parsed->output, fileText(values));
    if (!problem.empty()) {
        err << "make-credentials: " << problem << "; no file written\n";
        return exitWriteFailed;
    }
    out << "make-credentials: wrote " << parsed->output.string() << '\n';
    return exitOk;
}

} // namespace credentials
