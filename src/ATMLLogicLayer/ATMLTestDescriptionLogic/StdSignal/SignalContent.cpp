#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalContent.h"

#include <string>
#include <vector>

namespace {
struct Item {
    std::string name;
    std::string value;
};

// Whether the item of one of attributes, its name and "(", starts at at.
bool ItemStartsAt(const std::string& text, size_t at, const SignalAttributeTable& attributes) {
    for (const SignalAttribute& attribute : attributes) {
        const std::string item = std::string(attribute.name) + "(";
        if (text.compare(at, item.size(), item) == 0) return true;
    }
    return false;
}

// The ")" that ends a value starting at from. The first ")" that the end of
// the text or "," and an attribute's item follow ends a value without ","
// and ")", whatever "(" it holds. Otherwise, counting the brackets since the
// "(" just before from, the first ")" that leaves none open and stands
// before a "," or at the end of the text; any other ")" belongs to the
// value. npos when there is neither: what a value never closed would take
// depends on the text after it, so the walk ends there, and the content a
// signal writes reads back to the same signal.
size_t ClosingBracket(const std::string& text, size_t from, const SignalAttributeTable& attributes) {
    size_t itemEnd = text.find(')', from);
    while (itemEnd != std::string::npos && itemEnd + 1 < text.size() &&
           !(text[itemEnd + 1] == ',' && ItemStartsAt(text, itemEnd + 2, attributes)))
        itemEnd = text.find(')', itemEnd + 1);
    if (itemEnd != std::string::npos && text.find_first_of(",)", from) == itemEnd) return itemEnd;
    long open = 1;
    for (size_t at = from; at < text.size(); ++at) {
        if (text[at] == '(') ++open;
        else if (text[at] == ')' && --open <= 0 && (at + 1 == text.size() || text[at + 1] == ',')) return at;
    }
    return std::string::npos;
}

std::vector<Item> ItemsOf(const std::string& content, const SignalAttributeTable& attributes) {
    std::vector<Item> items;
    size_t at = 0;
    while (at < content.size()) {
        const size_t open = content.find_first_of("(,", at);
        if (open == std::string::npos) break;
        if (content[open] == ',') {
            at = open + 1;
            continue;
        }
        const size_t close = ClosingBracket(content, open + 1, attributes);
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
    const std::vector<Item> items = ItemsOf(content.str(), attributes);
    for (const SignalAttribute& attribute : attributes)
        for (const Item& item : items)
            if (item.name == attribute.name) {
                if (!item.value.empty()) attribute.set(signal, CString(item.value));
                break;
            }
}
