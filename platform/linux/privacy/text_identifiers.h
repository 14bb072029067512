#pragma once
// Identifiers inside text: where they stand and how each is masked. A text
// is masked through a TextMasker, which masks every identifier once: a rule
// that finds a place another rule already masked leaves it alone, so a UUID
// found both as a udev property and by its pattern gets one mask, the same
// as everywhere else.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/privacy/identifier_mask.h"

namespace platform::linux_backend {

enum class MaskKind { kText, kHex, kMac };

class TextMasker {
public:
    TextMasker(std::string& text, const IdentifierMask& mask);

    std::string& Text() { return text_; }
    // Masks [at, at + length) as `kind`; false, and nothing changed, when
    // any of it was masked before or it lies outside the text.
    bool Mask(std::size_t at, std::size_t length, MaskKind kind);
    // The same for a piece of the text (a view into it).
    bool Mask(std::string_view part, MaskKind kind);
    // Every occurrence of `value` (not empty).
    void MaskEvery(std::string_view value, MaskKind kind);

    // The first `c` in [from, to), or `to`; the last one, or npos. Every
    // search names where its field ends, so that masking a table costs
    // about what reading it costs, however its records are laid out; the
    // bytes searched are counted, and a test holds the count to the text's
    // length.
    std::size_t Find(char c, std::size_t from, std::size_t to);
    std::size_t FindLast(char c, std::size_t from, std::size_t to);
    std::size_t BytesSearched() const { return searched_; }

private:
    std::string& text_;
    const IdentifierMask& mask_;
    std::vector<bool> masked_;
    std::size_t searched_ = 0;
};

// Names of this system that are identifiers wherever they appear.
struct LocalNames {
    std::vector<std::string> users;  // login names: masked as a component of a path
    std::vector<std::string> hosts;  // host names: masked as a word, where hosts are named
};

// What the rules of every file share: hex digits and ASCII letters and
// digits; where a path component, a URI part or a value ends, and the end of
// the one starting at `at`.
bool IsHex(char c);
bool IsAlnum(char c);
bool EndsName(char c);
std::size_t NameEnd(std::string_view text, std::size_t at);

// A host that names this machine from itself, the same on every machine and
// so no identifier: none (a local path), localhost, 127.x.y.z and ::1.
bool IsLoopbackHost(std::string_view host);

// The rules every text goes through, in this order:
// - user names in paths: the component after /home/ (also /var/home/), the
//   one after /media/ (also /run/media/) when more follows it, and every
//   component that is one of `names.users`;
// - URIs (uri_identifiers.h);
// - the names of disks and volumes in paths (disk_names.h);
// - MAC addresses written as six pairs of hex digits with ":" or "-";
// - UUIDs written 8-4-4-4-12;
// - the host names of `names.hosts` as whole words.
void MaskFreeText(TextMasker& text, const LocalNames& names);

}  // namespace platform::linux_backend
