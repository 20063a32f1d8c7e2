// The one exception the reminder store throws, with a kind the caller can act on.
#pragma once

#include "reminder/store/file_path.h"

#include <stdexcept>
#include <string>

namespace davrin::store {

enum class StoreErrorKind {
    NotADatabase, // the file is something else, or a database without the reminder tables
    Damaged,      // the file is a database but its content is corrupt or truncated
    Locked,       // another program kept the file busy past the busy timeout
    ReadOnly,     // the file or its folder cannot be written
    CannotOpen,   // the file or its folder cannot be reached at all
    InvalidValue, // a value breaks a rule of the store (message too long, not UTF-8, ...)
    Other,        // anything else the database engine reports
};

class StoreError : public std::runtime_error {
public:
    // `message` is the full text for the user; it names the file and the cause.
    StoreError(StoreErrorKind kind, FilePath file, const std::string& message)
        : std::runtime_error(message), kind_(kind), file_(std::move(file)) {}

    StoreErrorKind kind() const noexcept { return kind_; }
    const FilePath& file() const noexcept { return file_; }

private:
    StoreErrorKind kind_;
    FilePath file_;
};

} // namespace davrin::store
