#include "class_gate.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace ClassGate {

namespace {

constexpr int MostNameCharacters = 64;
// What a group publishes under kelvira/<class>/<group>/: its lesson comes in at most 11 parts.
constexpr int LessonParts = 11;

// The code points of a UTF-8 text; false when it is not UTF-8.
bool CodePoints(const std::string& text, std::vector<char32_t>& points) {
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int length = c < 0x80         ? 1
                           : (c >> 5) == 6  ? 2
                           : (c >> 4) == 14 ? 3
                           : (c >> 3) == 30 ? 4
                                            : 0;
        if (length == 0 || i + length > text.size()) return false;
        char32_t point = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next >> 6) != 2) return false;
            point = (point << 6) | (next & 0x3F);
        }
        points.push_back(point);
        i += length;
    }
    return true;
}

// The code as compared: full-width letters and digits made half-width, letters upper-case,
// spaces and hyphens (of either width, and the long vowel mark an IME may put) left out.
std::string PlainCode(const std::string& typed) {
    std::vector<char32_t> points;
    if (!CodePoints(typed, points)) return {};
    std::string plain;
    for (char32_t p : points) {
        if (p >= 0xFF01 && p <= 0xFF5E) p -= 0xFEE0;  // full-width ASCII
        if (p == ' ' || p == '-' || p == 0x3000 || p == 0x30FC || (p >= 0x2010 && p <= 0x2015) ||
            p == 0x2212)
            continue;
        if (p >= 'a' && p <= 'z') p -= 'a' - 'A';
        if (p > 0x7E || p < 0x21) return {};  // not a character of a code
        plain.push_back(static_cast<char>(p));
    }
    return plain;
}

bool Same(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    unsigned char differ = 0;
    for (size_t i = 0; i < a.size(); ++i) differ |= static_cast<unsigned char>(a[i] ^ b[i]);
    return differ == 0;
}

// The group's part of `topic` under the class, "" when the topic is not the class's.
std::string GroupOf(const Gate& gate, const std::string& topic, std::string& rest) {
    const std::string head = "kelvira/" + gate.className + "/";
    if (topic.compare(0, head.size(), head) != 0) return {};
    const size_t slash = topic.find('/', head.size());
    if (slash == std::string::npos) return {};
    rest = topic.substr(slash + 1);
    return topic.substr(head.size(), slash - head.size());
}

}  // namespace

bool IsTopicLevel(const std::string& name) {
    std::vector<char32_t> points;
    if (!CodePoints(name, points) || points.empty() ||
        points.size() > static_cast<size_t>(MostNameCharacters))
        return false;
    for (char32_t p : points)
        if (p == '/' || p == '+' || p == '#' || p < 0x20 || (p >= 0x7F && p < 0xA0)) return false;
    return true;
}

bool SameCode(const std::string& typed, const std::string& code) {
    const std::string a = PlainCode(typed), b = PlainCode(code);
    return !b.empty() && Same(a, b);
}

Entry SignIn(const Gate& gate, const char* user, const char* password, bool nameInUse) {
    if (!user || !IsTopicLevel(user)) return Entry::NoName;
    const std::string secret = password ? password : "";
    if (std::strcmp(user, TeacherUser) == 0)
        return !gate.teacher.empty() && Same(secret, gate.teacher) ? Entry::Teacher
                                                                   : Entry::Refused;
    if (!SameCode(secret, gate.code)) return Entry::WrongCode;
    return nameInUse ? Entry::NameInUse : Entry::Group;
}

bool MayWrite(const Gate& gate, const std::string& user, const std::string& topic) {
    if (user == TeacherUser) return false;
    std::string rest;
    if (GroupOf(gate, topic, rest) != user) return false;
    if (rest == "status" || rest == "tick" || rest == "reading") return true;
    for (int part = 0; part < LessonParts; ++part)
        if (rest == "lesson/" + std::to_string(part)) return true;
    return false;
}

bool MayRead(const Gate& gate, const std::string& user, const std::string& topic) {
    if (user != TeacherUser) return false;
    const std::string head = "kelvira/" + gate.className + "/";
    return topic.compare(0, head.size(), head) == 0;
}

std::string RefusalLine(Entry entry, const char* user) {
    const char* why = entry == Entry::WrongCode   ? "wrong code"
                      : entry == Entry::NameInUse ? "name in use"
                      : entry == Entry::Refused   ? "teacher refused"
                                                  : "no name";
    // A name that cannot stand in a topic is not written: it may hold anything.
    const std::string name = entry != Entry::NoName && user ? user : "";
    return "kelvira-gate: refused " + name + ": " + why;
}

}  // namespace ClassGate
