// The error the database layer raises: the engine's (or this layer's)
// description, its source and a result code with the engine's text for it.
#pragma once
#include <exception>
#include <string>

namespace ado {

class ComError : public std::exception {
public:
    // Result codes this layer raises for its own refusals, in the engine's numbering.
    static const long kError = 1;          // a refused statement or call
    static const long kMisuse = 21;        // a call on a closed object or past the end
    static const long kTypeMismatch = 20;  // a value that does not fit the column
    static const long kNotADatabase = 26;  // a file that is not a database
    // The engine's code for running out of memory.
    static const long kNoMemory = 7;

    ComError(long code, std::string description, std::string source = "SQLite")
        : m_code(code), m_description(std::move(description)), m_source(std::move(source)) {}

    long Error() const { return m_code; }
    bool OutOfMemory() const { return m_code == kNoMemory; }
    const std::string& Description() const { return m_description; }
    const std::string& Source() const { return m_source; }
    // The engine's text for the result code.
    std::string ErrorMessage() const;
    const char* what() const noexcept override { return m_description.c_str(); }

private:
    long m_code;
    std::string m_description;
    std::string m_source;
};

}  // namespace ado
