#include "platform/ado/SqlTokens.h"

namespace ado {

namespace {
// The end of the bracketed list that opens at tokens[at], or tokens.size().
size_t CloseOf(const std::vector<SqlToken>& tokens, size_t at) {
    for (int depth = 0; at < tokens.size(); ++at) {
        depth += tokens[at] == "(" ? 1 : tokens[at] == ")" ? -1 : 0;
        if (depth == 0) return at;
    }
    return at;
}
}  // namespace

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool NamesSchemaTable(const std::string& name) {
    const std::string key = UpperCase(name);
    for (const char* schema : kSchemaTableNames)
        if (key == schema) return true;
    return false;
}

bool NamesEngineTable(const std::string& name) { return UpperCase(name).compare(0, 7, "SQLITE_") == 0; }

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
           (c & 0x80);
}

std::vector<SqlToken> SqlTokens(const std::string& sql) {
    std::vector<SqlToken> tokens;
    for (size_t at = 0; at < sql.size();) {
        const char c = sql[at];
        if (IsSqlBlank(c)) {
            ++at;
        } else if (sql.compare(at, 2, "--") == 0) {
            const size_t end = sql.find('\n', at);
            at = end == std::string::npos ? sql.size() : end + 1;
        } else if (sql.compare(at, 2, "/*") == 0) {
            const size_t end = sql.find("*/", at + 2);
            at = end == std::string::npos ? sql.size() : end + 2;
        } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : c;
            const size_t begin = at;
            std::string text;
            for (++at; at < sql.size(); ++at) {
                if (sql[at] != close) {
                    text += sql[at];
                } else if (close != ']' && at + 1 < sql.size() && sql[at + 1] == close) {
                    text += close;
                    ++at;
                } else {
                    break;
                }
            }
            ++at;
            tokens.push_back({c == '\'' ? "'" : UpperCase(text), begin});
        } else if (IsNameChar(c) && c != '$') {  // "$" begins a parameter
            const size_t begin = at;
            while (at < sql.size() && IsNameChar(sql[at])) ++at;
            tokens.push_back({UpperCase(sql.substr(begin, at - begin)), begin});
        } else {
            tokens.push_back({std::string(1, c), at++});
        }
    }
    return tokens;
}

bool IsCompound(const std::vector<SqlToken>& tokens) {
    int depth = 0;
    for (const SqlToken& token : tokens) {
        depth += token == "(" ? 1 : token == ")" ? -1 : 0;
        if (depth == 0 && (token == "UNION" || token == "INTERSECT" || token == "EXCEPT")) return true;
    }
    return false;
}

bool DefinesCommonTable(const std::vector<SqlToken>& tokens, const std::string& name) {
    for (size_t i = 1; i < tokens.size(); ++i) {
        const SqlToken& before = tokens[i - 1];
        if (tokens[i].text != name || (before != "WITH" && before != "RECURSIVE" && before != ",")) continue;
        size_t at = i + 1;
        if (at < tokens.size() && tokens[at] == "(") at = CloseOf(tokens, at) + 1;
        if (at + 1 < tokens.size() && tokens[at] == "AS" &&
            (tokens[at + 1] == "(" || tokens[at + 1] == "MATERIALIZED" || tokens[at + 1] == "NOT"))
            return true;
    }
    return false;
}

}  // namespace ado
