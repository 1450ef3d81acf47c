#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalContent.h"

#include <string>
#include <vector>

namespace {
struct Item {
    std::string name;
    std::string value;
};

// The ")" that ends a value starting at from: counting the brackets since
// the "(" just before from, one that leaves none open and stands before a ","
// or at the end of the text. Any other ")" belongs to the value. npos when
// the text ends first.
size_t ClosingBracket(const std::string& text, size_t from) {
    long open = 1;
    for (size_t at = from; at < text.size(); ++at) {
        if (text[at] == '(') ++open;
        else if (text[at] == ')' && --open <= 0 && (at + 1 == text.size() || text[at + 1] == ',')) return at;
    }
    return std::string::npos;
}

std::vector<Item> ItemsOf(const std::string& content) {
    std::vector<Item> items;
    size_t at = 0;
    while (at < content.size()) {
        const size_t open = content.find_first_of("(,", at);
        if (open == std::string::npos) break;
        if (content[open] == ',') {
            at = open + 1;
            continue;
        }
        const size_t close = ClosingBracket(content, open + 1);
        if (close == std::string::npos) break;
        items.push_back({content.substr(at, open - at), content.substr(open + 1, close - open - 1)});
        at = close + 2;  // past the "," after the bracket
    }
    return items;
}
}  // namespace

CString WriteSignalContent(const CStdSignal& signal, const SignalAttributeTable& attributes) {
    CString content;
    for (const SignalAttribute& attribute : attributes) {
        if (&attribute != &attributes.front()) content += ',';
        content += CString(attribute.name) + "(" + attribute.get(signal) + ")";
    }
    return content;
}

void ReadSignalContent(const CString& content, CStdSignal& signal, const SignalAttributeTable& attributes) {
    const std::vector<Item> items = ItemsOf(content.str());
    for (const SignalAttribute& attribute : attributes)
        for (const Item& item : items)
            if (item.name == attribute.name) {
                if (!item.value.empty()) attribute.set(signal, CString(item.value));
                break;
            }
}
