// A forgiving walk over XML tags: no validation, unmatched or unclosed tags do no harm.
#include "DocumentRendering.h"

#include <cstring>
#include <vector>

namespace {

struct Element {
    std::string name;
    std::string text;
    bool headerWritten = false;
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Replaces the five predefined entities; other references stay as written.
std::string decodeEntities(const std::string& text)
{
    static const struct { const char* entity; char value; } entities[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const auto& e : entities) {
                const std::size_t n = std::strlen(e.entity);
                if (text.compare(i, n, e.entity) == 0) {
                    out += e.value;
                    i += n;
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

// Collapses runs of white space to one space and trims both ends.
std::string collapse(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (isSpace(c)) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

class Renderer {
public:
    std::string run(const std::string& doc)
    {
        for (std::size_t at = 0; at < doc.size();) {
            if (doc[at] != '<') {
                const std::size_t end = doc.find('<', at);
                addText(doc.substr(at, end == std::string::npos ? std::string::npos : end - at));
                at = end == std::string::npos ? doc.size() : end;
                continue;
            }
            at = tag(doc, at);
        }
        while (!open_.empty())
            close();
        return out_;
    }

private:
    // Handles the markup that starts at `at`; returns where the text after it starts.
    std::size_t tag(const std::string& doc, std::size_t at)
    {
        if (doc.compare(at, 4, "<!--") == 0)
            return skipPast(doc, at, "-->");
        if (doc.compare(at, 9, "<![CDATA[") == 0) {
            const std::size_t end = doc.find("]]>", at);
            const std::size_t stop = end == std::string::npos ? doc.size() : end;
            if (!open_.empty())
                open_.back().text += doc.substr(at + 9, stop - (at + 9));
            return end == std::string::npos ? doc.size() : end + 3;
        }
        if (doc.compare(at, 2, "<?") == 0 || doc.compare(at, 2, "<!") == 0)
            return skipPast(doc, at, ">");

        const std::size_t end = doc.find('>', at);
        const std::size_t stop = end == std::string::npos ? doc.size() : end;
        std::string inside = doc.substr(at + 1, stop - at - 1);
        const std::size_t next = end == std::string::npos ? doc.size() : end + 1;

        if (!inside.empty() && inside[0] == '/') {
            closeNamed(collapse(inside.substr(1)));
            return next;
        }
        const bool selfClosing = !inside.empty() && inside.back() == '/';
        if (selfClosing)
            inside.pop_back();
        open(inside);
        if (selfClosing)
            close();
        return next;
    }

    static std::size_t skipPast(const std::string& doc, std::size_t at, const char* marker)
    {
        const std::size_t end = doc.find(marker, at);
        return end == std::string::npos ? doc.size() : end + std::strlen(marker);
    }

    void addText(const std::string& text)
    {
        if (!open_.empty())
            open_.back().text += decodeEntities(text);
    }

    // An element with children or attributes gets a "name:" line of its own first.
    void writeHeader(Element& element, std::size_t depth)
    {
        if (element.headerWritten)
            return;
        line(depth, element.name + ":" + valueSuffix(element.text));
        element.text.clear();
        element.headerWritten = true;
    }

    void open(const std::string& inside)
    {
        std::size_t i = 0;
        while (i < inside.size() && !isSpace(inside[i]))
            ++i;
        if (!open_.empty())
            writeHeader(open_.back(), open_.size() - 1);
        Element element;
        element.name = inside.substr(0, i);
        open_.push_back(element);

        // Attributes: name="value" or name='value'.
        for (;;) {
            while (i < inside.size() && isSpace(inside[i]))
                ++i;
            const std::size_t eq = inside.find('=', i);
            if (i >= inside.size() || eq == std::string::npos)
                break;
            const std::string name = collapse(inside.substr(i, eq - i));
            std::size_t v = eq + 1;
            while (v < inside.size() && isSpace(inside[v]))
                ++v;
            if (v >= inside.size())
                break;
            std::string value;
            if (inside[v] == '"' || inside[v] == '\'') {
                const std::size_t close = inside.find(inside[v], v + 1);
                const std::size_t stop = close == std::string::npos ? inside.size() : close;
                value = inside.substr(v + 1, stop - v - 1);
                i = close == std::string::npos ? inside.size() : close + 1;
            } else {
                i = v;
                while (i < inside.size() && !isSpace(inside[i]))
                    ++i;
                value = inside.substr(v, i - v);
            }
            writeHeader(open_.back(), open_.size() - 1);
            line(open_.size(), "@" + name + ":" + valueSuffix(decodeEntities(value)));
        }
    }

    void close()
    {
        Element& element = open_.back();
        if (!element.headerWritten)
            line(open_.size() - 1, element.name + ":" + valueSuffix(element.text));
        else if (!collapse(element.text).empty())
            line(open_.size(), collapse(element.text));
        open_.pop_back();
    }

    // Closes up to the innermost element of that name; a stray closing tag is ignored.
    void closeNamed(const std::string& name)
    {
        for (std::size_t i = open_.size(); i > 0; --i) {
            if (open_[i - 1].name == name) {
                while (open_.size() >= i)
                    close();
                return;
            }
        }
    }

    static std::string valueSuffix(const std::string& text)
    {
        const std::string value = collapse(text);
        return value.empty() ? std::string() : " " + value;
    }

    void line(std::size_t depth, const std::string& text)
    {
        out_ += std::string(2 * depth, ' ') + text + "\r\n";
    }

    std::vector<Element> open_;
    std::string out_;
};

} // namespace

std::string renderDocument(const std::string& document)
{
    std::size_t start = 0;
    if (document.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    while (start < document.size() && isSpace(document[start]))
        ++start;
    if (start >= document.size() || document[start] != '<')
        return document;
    return Renderer().run(document.substr(start));
}
