// The make-credentials command: argument handling, validation and the file write.
#include "reminder/sms/make_credentials.h"

#include <array>
#include <optional>
#include <vector>

#include "reminder/sms/credentials_file.h"
#include "reminder/sms/temporary_file.h"

namespace davrin::sms {
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
    std::vector<bool> lossy; // per value
    bool help = false;
};

// Returns nothing when the arguments make no sense; the reason is written to `err`.
std::optional<Arguments> parse(std::span<const Argument> args, std::ostream& err) {
    Arguments parsed;
    bool optionsEnded = false;
    auto setOutput = [&](const Argument& path, std::string_view option) {
        if (path.text.empty())
            err << "make-credentials: " << option << " needs a path\n";
        else if (path.lossy)
            err << "make-credentials: the path after " << option
                << " has characters outside the ANSI code page\n";
        else
            parsed.output = std::filesystem::path(std::string(path.text));
        return !path.text.empty() && !path.lossy;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i].text;
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.values.push_back(arg);
            parsed.lossy.push_back(args[i].lossy);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            parsed.help = true;
        } else if (arg == "-o" || arg == "--output") {
            if (!setOutput(i + 1 < args.size() ? args[++i] : Argument{}, arg))
                return std::nullopt;
        } else if (arg.starts_with("--output=")) {
            if (!setOutput({arg.substr(9), args[i].lossy}, "--output"))
                return std::nullopt;
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
    TemporaryFile temporary;
    const std::string problem = temporary.write(target, content);
    return problem.empty() ? temporary.moveTo(target) : problem;
}

int runMakeCredentials(std::span<const std::string_view> args, std::ostream& out,
                       std::ostream& err) {
    const std::vector<Argument> plain(args.begin(), args.end());
    return runMakeCredentials(std::span<const Argument>(plain), out, err);
}

int runMakeCredentials(std::span<const Argument> args, std::ostream& out, std::ostream& err) {
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
        if (parsed->lossy[i]) {
            err << "make-credentials: field " << i << " (" << fields[i].name
                << ") has characters outside the ANSI code page, which the file cannot hold; no "
                   "file written\n";
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

} // namespace davrin::sms
