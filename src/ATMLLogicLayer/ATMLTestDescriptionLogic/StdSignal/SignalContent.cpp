#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalContent.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {
// The shape of an item, "name(value)", and of the list, items joined by ",":
// what the writer writes and the reader looks for.
constexpr char kOpen = '(';
constexpr char kClose = ')';
constexpr char kJoin = ',';

std::string Opening(const SignalAttribute& attribute) { return attribute.name + std::string(1, kOpen); }

// The values of content when it has the writer's own format: the items of
// attributes in their order, joined. Item i's value runs from its opening to
// the first ")," and item i+1's opening after it, the last item's value to
// the content's final ")". So every value comes back as written unless it
// holds ")," and the next item's opening itself. None for any other shape.
std::optional<std::vector<std::string>> ValuesInWritersFormat(const std::string& content,
                                                              const SignalAttributeTable& attributes) {
    const std::string first = Opening(attributes.front());
    if (content.compare(0, first.size(), first) != 0) return std::nullopt;
    std::vector<std::string> values;
    size_t from = first.size();
    for (size_t i = 1; i < attributes.size(); ++i) {
        const std::string separator = std::string{kClose, kJoin} + Opening(attributes[i]);
        const size_t end = content.find(separator, from);
        if (end == std::string::npos) return std::nullopt;
        values.push_back(content.substr(from, end - from));
        from = end + separator.size();
    }
    if (from >= content.size() || content.back() != kClose) return std::nullopt;
    values.push_back(content.substr(from, content.size() - 1 - from));
    return values;
}

struct Item {
    std::string name;
    std::string value;
};

// Whether the item of one of attributes, its name and "(", starts at at.
bool ItemStartsAt(const std::string& text, size_t at, const SignalAttributeTable& attributes) {
    for (const SignalAttribute& attribute : attributes) {
        const std::string item = Opening(attribute);
        if (text.compare(at, item.size(), item) == 0) return true;
    }
    return false;
}

// The first ")" at or after a position that ends an item: the last
// character of the text, or one that "," and an attribute's item follow.
// Asked for positions that never go back, as the walk over the items asks,
// it looks at each ")" once: the walk takes time in proportion to the text.
class ItemEnds {
public:
    ItemEnds(const std::string& text, const SignalAttributeTable& attributes)
        : m_text(text), m_attributes(attributes) {}

    size_t From(size_t from) {
        // No item ends in [m_from, m_end): the last answer holds for any
        // position in between, and npos for any position after m_from.
        if (m_asked && from >= m_from && (m_end == std::string::npos || m_end >= from)) return m_end;
        size_t at = m_text.find(kClose, from);
        while (at != std::string::npos && !EndsItem(at)) at = m_text.find(kClose, at + 1);
        m_asked = true;
        m_from = from;
        m_end = at;
        return at;
    }

private:
    bool EndsItem(size_t at) const {
        return at + 1 == m_text.size() || (m_text[at + 1] == kJoin && ItemStartsAt(m_text, at + 2, m_attributes));
    }

    const std::string& m_text;
    const SignalAttributeTable& m_attributes;
    bool m_asked = false;
    size_t m_from = 0;
    size_t m_end = std::string::npos;
};

// The ")" that ends a value starting at from. The first item end after it
// ends a value without "," and ")", whatever "(" it holds. Otherwise,
// counting the brackets since the "(" just before from, the first ")" that
// leaves none open and stands before a "," or at the end of the text; any
// other ")" belongs to the value. npos when there is neither: what a value
// never closed would take depends on the text after it, so the walk ends
// there, and the content a signal writes reads back to the same signal.
// Each scan goes no further than the ")" returned, after which the walk
// goes on, so that the walk reads the text once.
size_t ClosingBracket(const std::string& text, size_t from, ItemEnds& itemEnds) {
    const size_t itemEnd = itemEnds.From(from);
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
    ItemEnds itemEnds(content, attributes);
    size_t at = 0;
    while (at < content.size()) {
        const size_t open = content.find_first_of("(,", at);
        if (open == std::string::npos) break;
        if (content[open] == ',') {
            at = open + 1;
            continue;
        }
        const size_t close = ClosingBracket(content, open + 1, itemEnds);
        if (close == std::string::npos) break;
        items.push_back({content.substr(at, open - at), content.substr(open + 1, close - open - 1)});
        at = close + 2;  // past the "," after the bracket
    }
    return items;
}

// The values of content in any other shape: for each of attributes, the
// value of the first item of its name, or "" when it has none.
std::vector<std::string> ValuesOfItems(const std::string& content, const SignalAttributeTable& attributes) {
    const std::vector<Item> items = ItemsOf(content, attributes);
    std::vector<std::string> values;
    for (const SignalAttribute& attribute : attributes) {
        values.emplace_back();
        for (const Item& item : items)
            if (item.name == attribute.name) {
                values.back() = item.value;
                break;
            }
    }
    return values;
}
}  // namespace

CString WriteSignalContent(const CStdSignal& signal, const SignalAttributeTable& attributes) {
    std::string content;
    for (const SignalAttribute& attribute : attributes) {
        if (&attribute != &attributes.front()) content += kJoin;
        content += Opening(attribute) + attribute.get(signal).str() + kClose;
    }
    return CString(content);
}

void ReadSignalContent(const CString& content, CStdSignal& signal, const SignalAttributeTable& attributes) {
    std::optional<std::vector<std::string>> written = ValuesInWritersFormat(content.str(), attributes);
    const std::vector<std::string> values = written ? std::move(*written) : ValuesOfItems(content.str(), attributes);
    for (size_t i = 0; i < attributes.size(); ++i)
        if (!values[i].empty()) attributes[i].set(signal, CString(values[i]));
}
